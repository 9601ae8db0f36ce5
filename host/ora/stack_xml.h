// stack.xml, the layer list of a layered file: an <image w= h=> holding one <stack> of <layer>
// elements, the front layer first, each naming its PNG entry (src), its offset (x, y), its opacity
// (0 to 1) and whether it is shown (visibility "visible", the default, or "hidden").
// The reader is a small scanner of start tags and their attributes, enough for the files this
// program and other paint programs write; it reads every layer, nested stacks included, in order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/result.h"

namespace stamp::ora {

struct StackLayer {
  std::string src;
  int64_t x = 0;
  int64_t y = 0;
  double opacity = 1.0;
  bool hidden = false;
};

struct Stack {
  int64_t width = 0;
  int64_t height = 0;
  std::vector<StackLayer> layers;  // front first
};

// The stack.xml of a picture of three layers, layer 2 first, each multiplied onto those behind
// it; the layer PNGs are named by LayerEntryName.
std::string StackXml(int32_t width, int32_t height);
std::string LayerEntryName(int layer);

// The image's size and its layers, or why they cannot be read.
host::Result<Stack> ParseStack(const std::string& xml);

}  // namespace stamp::ora
