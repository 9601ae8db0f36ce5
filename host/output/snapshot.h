// "save NAME": what the host shows and every buffer it owns, written into a folder:
//   NAME-canvas.png   the composite canvas
//   NAME-panel.png    the plug-in's panel, raster rows 730 to 849
//   NAME-BUFFER.bmp   each buffer's exact pixels (layer0, layer1, layer2, overlay, undo,
//                     overlaysave, scratch, stamp, and panel, the whole 240 x 1050 raster)
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "host/output/compositor.h"
#include "host/record/complete_record.h"
#include "host/result.h"

namespace stamp::host {

// The rows of the panel shown in pictures and in the window: the plug-in's panel from its top row.
inline constexpr int32_t kShownPanelRows = 120;

// The canvas picture is the compositor's, made row by row as it is written. Fails saying why a
// file could not be written; each file is complete or absent.
Status SaveSnapshot(const HostRecord& record, Compositor& canvas,
                    const std::filesystem::path& folder, std::string_view name);

// Whether a canvas picture carries the stamp preview the overlay holds: a snapshot shows the
// canvas as the host shows it; an exported picture is the layers alone.
enum class Preview { kShown, kLeftOut };

// Writes the composite canvas as a PNG file.
Status SaveCanvasPng(const HostRecord& record, Compositor& canvas,
                     const std::filesystem::path& path, Preview preview);
// Writes the plug-in's panel (raster rows 730 to 849) as a PNG file.
Status SavePanelPng(const HostRecord& record, const std::filesystem::path& path);

}  // namespace stamp::host
