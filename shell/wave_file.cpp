#include "shell/wave_file.h"

#include <cstdint>

#include "world/little_endian.h"

namespace {
bool PlayableFormat(const std::string& b, size_t at) {
    const uint32_t tag = LittleEndian16(b, at), channels = LittleEndian16(b, at + 2);
    const uint32_t rate = LittleEndian32(b, at + 4), byteRate = LittleEndian32(b, at + 8);
    const uint32_t block = LittleEndian16(b, at + 12), bits = LittleEndian16(b, at + 14);
    return tag == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 8000 &&
           rate <= 48000 && block == channels * bits / 8 && byteRate == rate * block;
}
}  // namespace

bool IsPlayableWave(const std::string& bytes) {
    const size_t size = bytes.size();
    if (size < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    // The RIFF length counts everything after its own field.
    if (static_cast<uint64_t>(LittleEndian32(bytes, 4)) + 8 > size) return false;
    bool haveFormat = false;
    uint32_t block = 0;
    for (size_t at = 12; at + 8 <= size;) {
        const uint64_t length = LittleEndian32(bytes, at + 4);
        const size_t body = at + 8;
        if (body + length > size) return false;
        if (bytes.compare(at, 4, "fmt ") == 0) {
            if (haveFormat || length < 16 || !PlayableFormat(bytes, body)) return false;
            haveFormat = true;
            block = LittleEndian16(bytes, body + 12);
        } else if (bytes.compare(at, 4, "data") == 0) {
            return haveFormat && length >= block;
        }
        // Chunks are padded to an even length.
        at = body + static_cast<size_t>(length) + (length & 1);
    }
    return false;
}
