// The picture file of the element graphic when no window shows it: a PNG written by the core
// itself, so tarvo-cli needs no image library.
#pragma once

#include <filesystem>

#include "views/pixelbuffer.h"

namespace tarvo {

// Writes the picture as a PNG file (8-bit RGB, runs of repeated pixels compressed). False when it
// cannot be written or is empty; a half-written file is never left behind.
bool WritePng(const std::filesystem::path& file, const PixelBuffer& picture);

}  // namespace tarvo
