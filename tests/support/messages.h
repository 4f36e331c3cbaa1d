// The texts of the message boxes the portable layer recorded, in order.
#pragma once

#include <string>
#include <vector>

#include "core/platform_portable.h"

namespace testsupport {
inline std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const auto& m : plat::portable::Messages()) texts.push_back(m.text);
    return texts;
}
}  // namespace testsupport
