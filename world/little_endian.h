// Little-endian fields of the RIFF, BMP and ICO files the game and its build
// tools read and write, in any container of bytes (std::string,
// std::vector<unsigned char>). A reader's caller has checked that the field
// lies inside the container.
#pragma once

#include <cstddef>
#include <cstdint>

template <class Bytes>
uint16_t LittleEndian16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

template <class Bytes>
uint32_t LittleEndian32(const Bytes& b, size_t at) {
    return LittleEndian16(b, at) | static_cast<uint32_t>(LittleEndian16(b, at + 2)) << 16;
}

template <class Bytes>
void AppendLittleEndian16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<typename Bytes::value_type>(v & 0xFF));
    out.push_back(static_cast<typename Bytes::value_type>((v >> 8) & 0xFF));
}

template <class Bytes>
void AppendLittleEndian32(Bytes& out, uint32_t v) {
    AppendLittleEndian16(out, v & 0xFFFF);
    AppendLittleEndian16(out, v >> 16);
}
