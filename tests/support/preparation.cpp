#include "support/preparation.h"

#include "src/core/panel_image_layout.h"
#include "src/prepare/rebuild.h"

namespace stamp::test {

Preparation::Preparation(const TestHost& host, uint32_t panelSeed)
    : context_(host.record()), panel_(static_cast<size_t>(kPanelImageBytes)) {
  FillRandom(panel_.data(), panel_.size(), panelSeed);
}

void Preparation::Rebuild(int32_t selection, int32_t reduction, int32_t angle, bool extract) {
  const StampSettings settings{selection, angle, reduction, {}};
  const StampBuffers buffers{context_.canvasView(context_.stampBuffer()),
                             context_.canvasView(context_.scratchBuffer())};
  const ConstImageView panelImage{panel_.data(), kPanelImageWidth, kPanelImageHeight,
                                  kPanelImageBytes};
  size_ = extract ? PrepareStamp(panelImage, settings, buffers) : TurnStamp(settings, buffers);
}

}  // namespace stamp::test
