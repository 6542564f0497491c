// Little-endian fields of the RIFF and BMP files the game and its build tools
// read, from any container of bytes (std::string, std::vector<unsigned char>).
// The caller has checked that the field lies inside the container.
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
