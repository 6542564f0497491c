// Helpers for the game's code page 932 byte strings.
#pragma once

#include <cstdint>
#include <string>

// printf into a std::string; %s arguments are copied byte for byte.
std::string StrPrintf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// True for a byte that starts a double-byte character.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

// Length in bytes of the longest prefix of at most maxBytes that does not end
// inside a double-byte character.
int CutLength(const char* text, int maxBytes);

// Copies text into a buffer of bufSize bytes (terminator included), cut at a
// character boundary.
void CopyTextCut(char* dst, int bufSize, const char* src);

// True when the bytes are well-formed code page 932 text without control
// characters: single bytes 0x20..0x7e and 0xa1..0xdf, or a lead byte followed
// by a trail byte 0x40..0x7e / 0x80..0xfc.
bool IsValidCp932(const char* bytes, size_t length);

// A 64-bit number in decimal, as the dialogs show "%I64d".
std::string Int64Text(int64_t v);

// A number typed into a dialog, read as the game reads it: leading blanks
// skipped, an optional sign, then the digits up to the first other
// character; no digits gives 0. A number beyond the type's range reads as
// the nearest bound instead of wrapping.
int64_t ParseTypedInt64(const std::string& text);
int32_t ParseTypedInt32(const std::string& text);
