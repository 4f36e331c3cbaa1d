// mkblob: writes the placeholder pack "blob.blb": 29 camouflage pictures,
// 512x512 baseline JPEGs, each at the best quality that fits its piece and
// brought to the piece's exact length with zero bytes behind its end marker.
//   mkblob OUT.blb [PREVIEW_FOLDER]
//   mkblob --sample OUT.jpg|OUT.bmp     the sample skin for the demo
#include <cstdio>
#include <string>

#include "patcher/placeholders.h"
#include "tools/blob/camo.h"
#include "tools/pictures/jpegwrite.h"

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--sample") {
        const std::string out = argv[2];
        const auto rgb = camo::Draw(camo::Sample());
        const bool jpeg = out.size() > 4 && out.substr(out.size() - 4) == ".jpg";
        return pictures::WriteFile(out, jpeg ? pictures::EncodeJpeg(512, 512, rgb, 90)
                                             : pictures::EncodeBmp(512, 512, rgb)) ? 0 : 1;
    }
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: mkblob OUT.blb [PREVIEW_FOLDER] | mkblob --sample OUT\n");
        return 2;
    }
    const auto& patterns = camo::Placeholders();
    std::vector<std::uint8_t> pack;
    for (int piece = 1; piece <= 29; ++piece) {
        const std::size_t length = morrent::PieceLength(piece);
        const auto rgb = camo::Draw(patterns[std::size_t(piece - 1)]);
        // The best quality that fits: sizes grow with the quality, so search.
        int lo = 1, hi = 100, best = 0;
        std::vector<std::uint8_t> fitting;
        while (lo <= hi) {
            const int q = (lo + hi) / 2;
            auto bytes = pictures::EncodeJpeg(512, 512, rgb, q);
            if (bytes.size() <= length) {
                best = q;
                fitting = std::move(bytes);
                lo = q + 1;
            } else {
                hi = q - 1;
            }
        }
        if (best == 0) {
            std::fprintf(stderr, "mkblob: %s does not fit piece %d\n", patterns[std::size_t(piece - 1)].name.c_str(), piece);
            return 1;
        }
        if (argc == 3)
            pictures::WriteFile(std::string(argv[2]) + "/" + std::to_string(piece) + ".jpg", fitting);
        std::printf("piece %2d (slot %d) %-20s quality %3d, %6zu of %6zu bytes\n", piece, piece + 8,
                    patterns[std::size_t(piece - 1)].name.c_str(), best, fitting.size(), length);
        fitting.resize(length, 0);  // loaders stop at the end marker
        pack.insert(pack.end(), fitting.begin(), fitting.end());
    }
    if (!pictures::WriteFile(argv[1], pack)) {
        std::fprintf(stderr, "mkblob: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
