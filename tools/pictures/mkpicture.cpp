// mkpicture: writes 512x512 pictures for tests and the demo.
//   mkpicture blocks OUT.(jpg|bmp)   four flat colour blocks (the picture-loader tests)
//   mkpicture pattern OUT.(jpg|bmp)  every pixel distinct: blue x, green y, red x^y
#include <cstdio>
#include <string>

#include "tools/pictures/jpegwrite.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkpicture blocks|pattern OUT.jpg|OUT.bmp\n");
        return 2;
    }
    const std::string kind = argv[1], out = argv[2];
    std::vector<std::uint8_t> rgb(512 * 512 * 3);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            std::uint8_t* p = rgb.data() + (std::size_t(y) * 512 + std::size_t(x)) * 3;
            if (kind == "blocks") {
                p[0] = x < 256 ? 200 : 20;
                p[1] = y < 256 ? 100 : 180;
                p[2] = 40;
            } else {
                p[0] = std::uint8_t(x ^ y), p[1] = std::uint8_t(y), p[2] = std::uint8_t(x);
            }
        }
    const bool jpeg = out.size() > 4 && out.substr(out.size() - 4) == ".jpg";
    const auto bytes = jpeg ? pictures::EncodeJpeg(512, 512, rgb, 95) : pictures::EncodeBmp(512, 512, rgb);
    if (!pictures::WriteFile(out, bytes)) {
        std::fprintf(stderr, "mkpicture: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
