#include "tests/support/picture.h"

#include "core/scaling.h"

namespace testsupport {

core::ImageBuffer Captured(const std::string& path) {
    plat::PictureBox box;
    plat::LoadPicture(box, path);
    core::ImageBuffer image;
    core::CaptureImage(box, image);
    core::FlipImage(image);
    return image;
}

}  // namespace testsupport
