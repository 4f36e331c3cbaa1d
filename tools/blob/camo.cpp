#include "tools/blob/camo.h"

#include <cmath>

namespace camo {

namespace {

enum Style { Blobs, Digital, Stripes, Splinter, Dots, Chips, Hex, Brush };

std::uint32_t Hash(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    std::uint64_t h = std::uint64_t(x) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(y) * 0xC2B2AE3D27D4EB4Full ^
                      (std::uint64_t(seed) << 17);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 27;
    return std::uint32_t(h >> 16);
}

double Unit(std::int64_t x, std::int64_t y, std::uint32_t seed) { return (Hash(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF); }

double Smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise in [0, 1].
double Noise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = std::int64_t(fx), iy = std::int64_t(fy);
    const double tx = Smooth(x - fx), ty = Smooth(y - fy);
    const double a = Unit(ix, iy, seed), b = Unit(ix + 1, iy, seed);
    const double c = Unit(ix, iy + 1, seed), d = Unit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fractal(double x, double y, std::uint32_t seed) {
    double sum = 0, amp = 0.55, total = 0;
    for (int o = 0; o < 4; ++o) {
        sum += amp * Noise(x, y, seed + std::uint32_t(o) * 101);
        total += amp;
        x *= 2.03, y *= 2.03, amp *= 0.45;
    }
    return sum / total;
}

// Layers of blobs: each colour after the ground covers where its own noise is high.
std::size_t Layered(double x, double y, const Pattern& p) {
    std::size_t pick = 0;
    for (std::size_t k = 1; k < p.colours.size(); ++k)
        if (Fractal(x / p.scale + k * 17.3, y / p.scale - k * 9.1, p.seed + std::uint32_t(k) * 7919) > 0.54) pick = k;
    return pick;
}

std::size_t Pick(int px, int py, const Pattern& p) {
    const double x = px, y = py;
    const std::size_t n = p.colours.size();
    switch (p.style) {
        case Blobs: return Layered(x, y, p);
        case Digital: {
            const double cell = std::max(4.0, p.scale / 8);
            return Layered(std::floor(x / cell) * cell, std::floor(y / cell) * cell, p);
        }
        case Stripes: {
            const double warp = Fractal(x / (p.scale * 1.5), y / p.scale, p.seed) * 6.0;
            const double band = std::sin(y / p.scale * 3.0 + warp + x / (p.scale * 7));
            const double ragged = Fractal(x / 9, y / 9, p.seed + 3) * 0.5;
            if (band + ragged > 0.95) return n - 1;
            if (band + ragged > 0.55 && n > 2) return n - 2;
            return 0;
        }
        case Splinter: {
            // Sharp-edged shards: noise sampled in a rotated, sheared grid.
            const double u = (x * 0.86 + y * 0.5) / p.scale, v = (y * 0.86 - x * 0.5) / (p.scale * 0.45);
            const double f = Noise(std::floor(u * 2) / 2, std::floor(v), p.seed) * 0.7 + Noise(u, v, p.seed + 5) * 0.3;
            return std::min(n - 1, std::size_t(f * double(n)));
        }
        case Dots: {
            std::size_t pick = Layered(x * 0.6, y * 0.6, p) > 0 ? 1 : 0;
            const double cell = p.scale / 5;
            const auto cx = std::int64_t(std::floor(x / cell)), cy = std::int64_t(std::floor(y / cell));
            for (std::int64_t j = -1; j <= 1; ++j)
                for (std::int64_t i = -1; i <= 1; ++i) {
                    const std::uint32_t h = Hash(cx + i, cy + j, p.seed + 77);
                    const double dx = (double(cx + i) + (h & 255) / 255.0) * cell - x;
                    const double dy = (double(cy + j) + ((h >> 8) & 255) / 255.0) * cell - y;
                    const double r = cell * (0.25 + ((h >> 16) & 255) / 255.0 * 0.35);
                    if (dx * dx + dy * dy < r * r) pick = 2 + (h >> 24) % (n - 2);
                }
            return pick;
        }
        case Chips: {
            std::size_t pick = Fractal(x / p.scale, y / p.scale, p.seed) > 0.55 ? 1 : 0;
            const double cell = p.scale / 3;
            const auto cx = std::int64_t(std::floor(x / cell)), cy = std::int64_t(std::floor(y / cell));
            const std::uint32_t h = Hash(cx, cy, p.seed + 11);
            const double dx = (double(cx) + 0.5) * cell - x, dy = (double(cy) + 0.5) * cell - y;
            if ((h & 3) == 0 && dx * dx + dy * dy * 1.6 < cell * cell * 0.09) pick = 2 + (h >> 3) % (n - 2);
            return pick;
        }
        case Hex: {
            const double s = p.scale / 3;
            const double q = (x * std::sqrt(3.0) / 3 - y / 3) / s, r = y * 2 / 3 / s;
            double rx = std::round(q), ry = std::round(-q - r), rz = std::round(r);
            const double dx = std::fabs(rx - q), dy = std::fabs(ry + q + r), dz = std::fabs(rz - r);
            if (dx > dy && dx > dz) rx = -ry - rz;
            else if (dz >= dy) rz = -rx - ry;
            const double f = Fractal(rx * 0.35, rz * 0.35, p.seed);
            return std::min(n - 1, std::size_t(f * double(n) * 1.1));
        }
        case Brush:
        default: return Layered(x / 2.6, y * 1.1, p);
    }
}

Pattern P(const char* name, int style, std::vector<std::uint32_t> colours, double scale) {
    static std::uint32_t next = 1000;
    return Pattern{name, style, std::move(colours), scale, next += 37};
}

}  // namespace

const std::vector<Pattern>& Placeholders() {
    static const std::vector<Pattern> all = {
        P("woodland", Blobs, {0x6B7B4C, 0x3E4A2C, 0x7A5C3A, 0x1E1E18}, 70),
        P("desert", Blobs, {0xC9B48A, 0xA88C62, 0x8A6E4A}, 90),
        P("urban", Blobs, {0x8C8C8C, 0x5A5A5E, 0xC8C8C8, 0x2A2A2E}, 60),
        P("arctic", Blobs, {0xE8ECEE, 0xB4BEC4, 0x8A969E}, 80),
        P("tiger stripe", Stripes, {0x6E7A42, 0x3A3A22, 0x141410}, 28),
        P("digital woodland", Digital, {0x5E6E48, 0x3A4632, 0x7C6A4C, 0x22261E}, 60),
        P("digital desert", Digital, {0xC8B490, 0xA08866, 0x7E6A52}, 70),
        P("digital urban", Digital, {0x9A9CA0, 0x6C6E74, 0x3C3E44, 0xD0D2D4}, 55),
        P("flecktarn", Dots, {0x6E7450, 0x4C5634, 0x2E3422, 0x7E6240, 0x1A1C14}, 60),
        P("splinter", Splinter, {0x8A8A62, 0x5C6A3E, 0x7A5838, 0x4A4030}, 70),
        P("lizard", Stripes, {0x8E9064, 0x4E5A34, 0x5A4630}, 22),
        P("jungle", Blobs, {0x3E5A2A, 0x22361A, 0x5E7A34, 0x101A0C}, 45),
        P("savanna", Blobs, {0xB8A060, 0x8C7A40, 0x5E6030}, 100),
        P("night desert", Chips, {0x7E8470, 0x5A6254, 0x1E201C, 0xD8DCD0}, 80),
        P("snow digital", Digital, {0xF0F2F2, 0xC4CCD0, 0x7E8A92}, 65),
        P("brushstroke", Brush, {0x6A7444, 0x2E3420, 0x7C6444}, 50),
        P("chocolate chip", Chips, {0xC8B08A, 0x8E6E4E, 0x1C1A16, 0xF0ECE0}, 90),
        P("hex", Hex, {0x5A6650, 0x3C4638, 0x7C8470, 0x262A24}, 60),
        P("blue tiger", Stripes, {0x5C6E8A, 0x2E3A52, 0x141A26}, 26),
        P("swamp", Blobs, {0x4E5438, 0x2E3422, 0x6C6640, 0x3C3020}, 55),
        P("autumn", Blobs, {0x9A6E3A, 0x6A3E20, 0xC09040, 0x3A2A18}, 65),
        P("navy digital", Digital, {0x3C4E6E, 0x24304A, 0x6A7C96, 0x141C2C}, 60),
        P("volcanic", Splinter, {0x2A2626, 0x141212, 0x8A2418, 0x4A3A36}, 65),
        P("sandstorm", Brush, {0xCDB896, 0xAE9672, 0xE2D4B6}, 60),
        P("red hex", Hex, {0x7A2A22, 0x4A1A16, 0xA84030, 0x24100E}, 55),
        P("olive drab splinter", Splinter, {0x6E6E3E, 0x505230, 0x8A8450, 0x30321E}, 55),
        P("grey flecktarn", Dots, {0x8C8E8E, 0x6A6C6E, 0x3E4042, 0xB4B6B6, 0x1E2022}, 55),
        P("ocean", Blobs, {0x2E5A7A, 0x1C3A56, 0x4E82A0, 0x0E1E2E}, 75),
        P("black ops", Digital, {0x2C2E30, 0x1A1C1E, 0x44484C, 0x0C0C0E}, 60),
    };
    return all;
}

Pattern Sample() {
    return Pattern{"sample woodland", Blobs, {0x7C8450, 0x46502E, 0x8C6A44, 0x20221A, 0xA8A070}, 60, 424242};
}

std::vector<std::uint8_t> Draw(const Pattern& pattern, int size) {
    std::vector<std::uint8_t> rgb(std::size_t(size) * std::size_t(size) * 3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint32_t c = pattern.colours[Pick(x, y, pattern)];
            std::uint8_t* p = rgb.data() + (std::size_t(y) * std::size_t(size) + std::size_t(x)) * 3;
            p[0] = std::uint8_t(c >> 16), p[1] = std::uint8_t(c >> 8), p[2] = std::uint8_t(c);
        }
    return rgb;
}

}  // namespace camo
