#pragma once
// Splitting an image into its red, green and blue parts.
#include "editor/model/Bitmap.h"

namespace lumarte::editor {

enum class TColourChannel { Red, Green, Blue };

// The image with only one channel kept; the other two are 0.
TBitmap ChannelImage(const TBitmap& image, TColourChannel channel);

}  // namespace lumarte::editor
