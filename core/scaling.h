// Row order and nearest-pixel scaling of ImageBuffers, in place.
#pragma once

#include <cstdint>

#include "image.h"

namespace core {

// Reverses the row order (24- and 8-bit pictures; other depths untouched).
void FlipImage(ImageBuffer& image);
// Output (x, y) = source (R(x * Width / newWidth), R(y * Height / newHeight)),
// R rounding half to even; no filtering. Source bytes beyond the end of
// Pixels are skipped (their output bytes stay 0). Other depths, and sizes
// that are not positive or too large for a picture, leave image untouched.
void ResizeImage(ImageBuffer& image, std::int32_t newWidth, std::int32_t newHeight);

}  // namespace core
