// Build-time converter: packs 24-bit BMP pictures into one Windows icon
// file, each picture an image of the icon, fully opaque. Runs on the build
// machine, so that a cross build needs no image tool of the target.
// Usage: orchidia-icongen out.ico in1.bmp [in2.bmp ...]
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "world/little_endian.h"

namespace {

struct Image {
    uint32_t width = 0, height = 0;
    std::string data;   // header, colour rows, mask rows: the icon's own form
};

// The icon image of a bottom-up 24-bit BMP of at most 256 x 256 pixels.
bool Convert(const std::string& bmp, Image& image) {
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return false;
    const uint32_t offset = LittleEndian32(bmp, 10);
    const uint32_t headerSize = LittleEndian32(bmp, 14);
    const int32_t width = static_cast<int32_t>(LittleEndian32(bmp, 18));
    const int32_t height = static_cast<int32_t>(LittleEndian32(bmp, 22));
    if (headerSize < 40 || LittleEndian16(bmp, 28) != 24 || LittleEndian32(bmp, 30) != 0) return false;
    if (width <= 0 || height <= 0 || width > 256 || height > 256) return false;
    const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
    const uint32_t stride = (w * 3 + 3) & ~3u;
    if (offset > bmp.size() || bmp.size() - offset < static_cast<size_t>(stride) * h) return false;
    const uint32_t maskStride = ((w + 31) / 32) * 4;
    std::string& out = image.data;
    AppendLittleEndian32(out, 40);
    AppendLittleEndian32(out, w);
    AppendLittleEndian32(out, h * 2);   // the colour rows and the mask rows together
    AppendLittleEndian16(out, 1);
    AppendLittleEndian16(out, 24);
    AppendLittleEndian32(out, 0);
    AppendLittleEndian32(out, stride * h + maskStride * h);
    for (int i = 0; i < 4; ++i) AppendLittleEndian32(out, 0);
    out.append(bmp, offset, static_cast<size_t>(stride) * h);
    out.append(static_cast<size_t>(maskStride) * h, '\0');   // every pixel opaque
    image.width = w;
    image.height = h;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: orchidia-icongen out.ico in.bmp...\n";
        return 2;
    }
    std::vector<Image> images;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Image image;
        if (!in.good() && !in.eof()) bytes.clear();
        if (!Convert(bytes, image)) {
            std::cerr << "orchidia-icongen: " << argv[i] << " is not a 24-bit BMP of at most 256 x 256\n";
            return 1;
        }
        images.push_back(std::move(image));
    }
    std::string ico;
    AppendLittleEndian16(ico, 0);
    AppendLittleEndian16(ico, 1);
    AppendLittleEndian16(ico, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const Image& image : images) {
        ico.push_back(static_cast<char>(image.width == 256 ? 0 : image.width));   // 0 stands for 256
        ico.push_back(static_cast<char>(image.height == 256 ? 0 : image.height));
        ico.push_back(0);
        ico.push_back(0);
        AppendLittleEndian16(ico, 1);
        AppendLittleEndian16(ico, 24);
        AppendLittleEndian32(ico, static_cast<uint32_t>(image.data.size()));
        AppendLittleEndian32(ico, offset);
        offset += static_cast<uint32_t>(image.data.size());
    }
    for (const Image& image : images) ico += image.data;
    std::ofstream out(argv[1], std::ios::binary);
    out.write(ico.data(), static_cast<std::streamsize>(ico.size()));
    if (!out) {
        std::cerr << "orchidia-icongen: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
