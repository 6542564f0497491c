// orchidia-assetcheck ASSETS_DIR RESOURCES_DIR
//
// Verifies the artwork and sounds the game loads: every file present, every
// bitmap an uncompressed 24-bit BMP of exactly the size the game draws it
// at, every sound a 16-bit mono PCM wave, none of them blank. Prints one line
// per problem and exits non-zero if there is any.
#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "picture_sizes.h"
#include "world/little_endian.h"

namespace {

int problems = 0;

void problem(const std::string& file, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), what.c_str());
    ++problems;
}

bool readFile(const std::string& path, std::vector<unsigned char>& out) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

struct Bitmap {
    int w = 0, h = 0;
    std::vector<std::uint32_t> px;  // 0xRRGGBB, top row first
};

bool checkBmp(const std::string& path, int w, int h, Bitmap* out = nullptr) {
    std::vector<unsigned char> d;
    if (!readFile(path, d)) {
        problem(path, "missing or unreadable");
        return false;
    }
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        problem(path, "not a BMP file");
        return false;
    }
    std::uint32_t offset = LittleEndian32(d, 10), dib = LittleEndian32(d, 14);
    if (dib < 40) {
        problem(path, "unsupported BMP header (size " + std::to_string(dib) + ")");
        return false;
    }
    std::int32_t bw = static_cast<std::int32_t>(LittleEndian32(d, 18));
    std::int32_t bh = static_cast<std::int32_t>(LittleEndian32(d, 22));
    std::uint16_t planes = LittleEndian16(d, 26), bpp = LittleEndian16(d, 28);
    std::uint32_t compression = LittleEndian32(d, 30);
    bool ok = true;
    if (planes != 1) problem(path, "planes is " + std::to_string(planes) + ", expected 1"), ok = false;
    if (bpp != 24) problem(path, std::to_string(bpp) + " bits per pixel, expected 24"), ok = false;
    if (compression != 0) problem(path, "compressed, expected uncompressed RGB"), ok = false;
    int absH = bh < 0 ? -bh : bh;
    if (bw != w || absH != h)
        problem(path, "size " + std::to_string(bw) + "x" + std::to_string(absH) + ", expected " + std::to_string(w) +
                          "x" + std::to_string(h)),
            ok = false;
    if (!ok) return false;
    std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
    if (offset < 54 || d.size() < offset + stride * h) {
        problem(path, "pixel data truncated");
        return false;
    }
    Bitmap bm;
    bm.w = w;
    bm.h = h;
    bm.px.resize(static_cast<std::size_t>(w) * h);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < h; ++y) {
        int row = bh < 0 ? y : h - 1 - y;
        const unsigned char* p = d.data() + offset + stride * row;
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = (p[x * 3 + 2] << 16) | (p[x * 3 + 1] << 8) | p[x * 3];
            bm.px[static_cast<std::size_t>(y) * w + x] = c;
            if (colours.size() < 3) colours.insert(c);
        }
    }
    if (colours.size() < 2) {
        problem(path, "blank: the whole picture is one colour");
        return false;
    }
    if (out) *out = std::move(bm);
    return true;
}

void checkWav(const std::string& path, double minSeconds, double maxSeconds) {
    std::vector<unsigned char> d;
    if (!readFile(path, d)) {
        problem(path, "missing or unreadable");
        return;
    }
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
        std::string(d.begin() + 8, d.begin() + 12) != "WAVE") {
        problem(path, "not a RIFF WAVE file");
        return;
    }
    bool haveFmt = false;
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    std::size_t at = 12;
    while (at + 8 <= d.size()) {
        std::string id(d.begin() + at, d.begin() + at + 4);
        std::uint32_t len = LittleEndian32(d, at + 4);
        std::size_t body = at + 8;
        if (body + len > d.size()) {
            problem(path, "chunk '" + id + "' runs past the end of the file");
            return;
        }
        if (id == "fmt " && len >= 16) {
            haveFmt = true;
            format = LittleEndian16(d, body);
            channels = LittleEndian16(d, body + 2);
            rate = LittleEndian32(d, body + 4);
            bits = LittleEndian16(d, body + 14);
        } else if (id == "data") {
            if (!haveFmt) {
                problem(path, "data chunk before fmt chunk");
                return;
            }
            if (format != 1) problem(path, "not PCM (format " + std::to_string(format) + ")");
            if (channels != 1) problem(path, std::to_string(channels) + " channels, expected mono");
            if (bits != 16) problem(path, std::to_string(bits) + " bits per sample, expected 16");
            if (rate != 22050) problem(path, std::to_string(rate) + " Hz, expected 22050");
            if (format != 1 || bits != 16 || channels != 1 || rate == 0) return;
            std::size_t n = len / 2;
            double seconds = double(n) / rate;
            if (seconds < minSeconds || seconds > maxSeconds)
                problem(path, "lasts " + std::to_string(seconds) + " s, expected " + std::to_string(minSeconds) +
                                  " to " + std::to_string(maxSeconds) + " s");
            int peak = 0;
            for (std::size_t i = 0; i < n; ++i) {
                int v = static_cast<std::int16_t>(LittleEndian16(d, body + 2 * i));
                peak = std::max(peak, std::abs(v));
            }
            if (peak < 1000) problem(path, "silent (peak " + std::to_string(peak) + ")");
            return;
        }
        at = body + len + (len & 1);
    }
    problem(path, "no data chunk");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ASSETS_DIR RESOURCES_DIR\n", argc > 0 ? argv[0] : "orchidia-assetcheck");
        return 2;
    }
    const std::string assets = std::string(argv[1]) + "/";
    const std::string res = std::string(argv[2]) + "/";

    checkBmp(assets + "field1.bmp", 589, 376);
    for (int n = 1; n <= 9; ++n) checkBmp(assets + "icon" + std::to_string(n) + ".bmp", 50, 51);
    checkBmp(assets + "tradecenter.bmp", 276, 264);
    checkBmp(assets + "ministage1.bmp", 300, 194);
    checkBmp(assets + "unit.bmp", 52, 42);

    // The fly is drawn by OR-ing the mask and then AND-ing the sprite: the
    // mask must be pure black or white, and the sprite white wherever the
    // mask is black, or the background would show through tinted.
    Bitmap fly, mask;
    bool haveFly = checkBmp(assets + "bug1.bmp", 10, 10, &fly);
    bool haveMask = checkBmp(assets + "bug1mask.bmp", 10, 10, &mask);
    if (haveFly && haveMask) {
        int bad = 0, badMask = 0;
        for (std::size_t i = 0; i < mask.px.size(); ++i) {
            if (mask.px[i] != 0 && mask.px[i] != 0xFFFFFF) ++badMask;
            if (mask.px[i] == 0 && fly.px[i] != 0xFFFFFF) ++bad;
        }
        if (badMask) problem(assets + "bug1mask.bmp", std::to_string(badMask) + " pixels neither black nor white");
        if (bad) problem(assets + "bug1.bmp", std::to_string(bad) + " pixels not white outside the fly");
    }

    for (int id = 150; id <= 164; ++id) {
        art::PictureSize s = art::dialogPictureSize(id);
        checkBmp(res + "bitmaps/bmp" + std::to_string(id) + ".bmp", s.w, s.h);
    }
    for (int size : {16, 32, 48, 64, 128, 256})
        checkBmp(res + "icons/orchidia" + std::to_string(size) + ".bmp", size, size);

    checkWav(assets + "opening.wav", 1.0, 4.0);
    checkWav(assets + "tab.wav", 0.03, 0.3);
    checkWav(assets + "bankrupt.wav", 0.5, 2.0);
    checkWav(assets + "cho.wav", 0.05, 1.0);
    checkWav(assets + "yakutei.wav", 0.1, 1.5);

    if (problems) {
        std::fprintf(stderr, "orchidia-assetcheck: %d problem(s)\n", problems);
        return 1;
    }
    std::printf("orchidia-assetcheck: all assets present and valid\n");
    return 0;
}
