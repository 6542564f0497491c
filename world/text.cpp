#include "world/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::string StrPrintf(const char* format, ...) {
    char small[512];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, format);
    std::vsnprintf(big.data(), big.size(), format, ap);
    va_end(ap);
    big.resize(static_cast<size_t>(n));
    return big;
}

int CutLength(const char* text, int maxBytes) {
    int i = 0;
    while (i < maxBytes && text[i] != '\0') {
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0') {
            if (i + 2 > maxBytes) break;
            i += 2;
        } else {
            i += 1;
        }
    }
    return i;
}

void CopyTextCut(char* dst, int bufSize, const char* src) {
    if (bufSize <= 0) return;
    int n = CutLength(src, bufSize - 1);
    std::memmove(dst, src, static_cast<size_t>(n));
    dst[n] = '\0';
}

bool IsValidCp932(const char* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(c)) {
            if (i + 1 >= length) return false;
            unsigned char t = static_cast<unsigned char>(bytes[i + 1]);
            if (!((t >= 0x40 && t <= 0x7e) || (t >= 0x80 && t <= 0xfc))) return false;
            ++i;
        } else if (!((c >= 0x20 && c <= 0x7e) || (c >= 0xa1 && c <= 0xdf))) {
            return false;
        }
    }
    return true;
}

int64_t ParseTypedInt64(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulated as a negative number, whose range holds INT64_MIN.
    int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value < (INT64_MIN + digit) / 10) {
            saturated = true;
            break;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? INT64_MIN : INT64_MAX;
    if (negative) return value;
    return value == INT64_MIN ? INT64_MAX : -value;
}

int32_t ParseTypedInt32(const std::string& text) {
    const int64_t v = ParseTypedInt64(text);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

std::string Int64Text(int64_t v) { return StrPrintf("%lld", static_cast<long long>(v)); }
