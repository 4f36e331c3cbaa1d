// A picture file as the programs take it in: loaded into a picture box by the
// platform's loader, captured and flipped to top row first.
#pragma once

#include <string>

#include "core/image.h"

namespace testsupport {
core::ImageBuffer Captured(const std::string& path);
}
