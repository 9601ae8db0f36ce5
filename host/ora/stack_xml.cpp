#include "host/ora/stack_xml.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "host/ora/layered_picture.h"

namespace stamp::ora {
namespace {

struct Tag {
  std::string name;
  std::map<std::string, std::string> attributes;
};

constexpr char kSpaces[] = " \t\r\n";

// The five entities XML predefines; any other '&' is kept as it is.
std::string DecodeEntities(const std::string& text) {
  static const std::pair<const char*, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    for (const auto& [entity, replacement] : kEntities) {
      if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
        c = replacement;
        i += std::char_traits<char>::length(entity) - 1;
        break;
      }
    }
    decoded += c;
  }
  return decoded;
}

// Reads the attributes of a start tag from pos (just past its name) to its closing '>'.
bool ReadAttributes(const std::string& xml, size_t& pos, Tag& tag) {
  while (true) {
    pos = xml.find_first_not_of(kSpaces, pos);
    if (pos == std::string::npos) return false;
    if (xml[pos] == '>' || xml.compare(pos, 2, "/>") == 0) {
      pos = xml.find('>', pos) + 1;
      return true;
    }
    const size_t equals = xml.find('=', pos);
    if (equals == std::string::npos) return false;
    std::string name = xml.substr(pos, equals - pos);
    name.erase(name.find_last_not_of(kSpaces) + 1);
    const size_t open = xml.find_first_not_of(kSpaces, equals + 1);
    if (open == std::string::npos || (xml[open] != '"' && xml[open] != '\'')) return false;
    const size_t close = xml.find(xml[open], open + 1);
    if (close == std::string::npos) return false;
    tag.attributes[name] = DecodeEntities(xml.substr(open + 1, close - open - 1));
    pos = close + 1;
  }
}

// The next start (or empty-element) tag at or after pos, skipping the declaration, comments, end
// tags and text; nullopt at the end of the text. Sets malformed when a tag does not close.
std::optional<Tag> NextStartTag(const std::string& xml, size_t& pos, bool& malformed) {
  while ((pos = xml.find('<', pos)) != std::string::npos) {
    const char* closing = xml.compare(pos, 4, "<!--") == 0 ? "-->" : ">";
    const bool skipped = xml.compare(pos, 2, "<?") == 0 || xml.compare(pos, 2, "<!") == 0 ||
                         xml.compare(pos, 2, "</") == 0;
    if (!skipped) break;
    const size_t end = xml.find(closing, pos);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  if (pos == std::string::npos) return std::nullopt;
  Tag tag;
  const size_t nameEnd = xml.find_first_of(" \t\r\n/>", pos + 1);
  if (nameEnd != std::string::npos) tag.name = xml.substr(pos + 1, nameEnd - pos - 1);
  pos = nameEnd;
  malformed = nameEnd == std::string::npos || tag.name.empty() || !ReadAttributes(xml, pos, tag);
  if (malformed) return std::nullopt;
  return tag;
}

// The attribute as a whole decimal number: fallback when it is absent, nullopt when it is not a
// number.
std::optional<int64_t> Number(const Tag& tag, const std::string& name,
                              std::optional<int64_t> fallback) {
  const auto found = tag.attributes.find(name);
  if (found == tag.attributes.end()) return fallback;
  int64_t value = 0;
  const std::string& text = found->second;
  const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (code != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The attribute as a fraction from 0 to 1 (a value outside is taken as the nearer end): fallback
// when it is absent, nullopt when it is not a number.
std::optional<double> Fraction(const Tag& tag, const std::string& name, double fallback) {
  const auto found = tag.attributes.find(name);
  if (found == tag.attributes.end()) return fallback;
  double value = 0;
  const std::string& text = found->second;
  const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (code != std::errc() || end != text.data() + text.size() || value != value) {
    return std::nullopt;
  }
  return std::clamp(value, 0.0, 1.0);
}

// The layer a <layer> tag describes, or nullopt when it lacks a picture or has a bad attribute.
std::optional<StackLayer> Layer(const Tag& tag) {
  const auto src = tag.attributes.find("src");
  const auto x = Number(tag, "x", 0);
  const auto y = Number(tag, "y", 0);
  const auto opacity = Fraction(tag, "opacity", 1.0);
  const auto visibility = tag.attributes.find("visibility");
  const bool hidden = visibility != tag.attributes.end() && visibility->second == "hidden";
  if (src == tag.attributes.end() || !x || !y || !opacity) return std::nullopt;
  return StackLayer{src->second, *x, *y, *opacity, hidden};
}

}  // namespace

std::string LayerEntryName(int layer) { return "data/layer" + std::to_string(layer) + ".png"; }

std::string StackXml(int32_t width, int32_t height) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<image version=\"0.0.3\" w=\"" +
                    std::to_string(width) + "\" h=\"" + std::to_string(height) + "\">\n <stack>\n";
  for (int layer = kLayerCount - 1; layer >= 0; --layer) {
    xml += "  <layer name=\"Layer " + std::to_string(layer) + "\" src=\"" + LayerEntryName(layer) +
           "\" x=\"0\" y=\"0\" opacity=\"1.0\" visibility=\"visible\"" +
           " composite-op=\"svg:multiply\"/>\n";
  }
  return xml + " </stack>\n</image>\n";
}

host::Result<Stack> ParseStack(const std::string& xml) {
  Stack stack;
  bool sawImage = false;
  bool malformed = false;
  size_t pos = 0;
  while (const std::optional<Tag> tag = NextStartTag(xml, pos, malformed)) {
    if (tag->name == "image" && !sawImage) {
      const auto width = Number(*tag, "w", std::nullopt);
      const auto height = Number(*tag, "h", std::nullopt);
      if (!width || !height) return host::Failure{"stack.xml gives the image no size"};
      stack.width = *width;
      stack.height = *height;
      sawImage = true;
    } else if (tag->name == "layer") {
      const std::optional<StackLayer> layer = Layer(*tag);
      if (!layer) {
        return host::Failure{
            "stack.xml has a layer without a picture or with a bad offset or opacity"};
      }
      stack.layers.push_back(*layer);
    }
  }
  if (malformed) return host::Failure{"stack.xml is not well-formed"};
  if (!sawImage) return host::Failure{"stack.xml has no image element"};
  return stack;
}

}  // namespace stamp::ora
