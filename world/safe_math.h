// Saturating integer helpers. The rules compute money in 64 bits and prices
// in 32 bits; where a result would leave its type the game saturates instead
// of wrapping, so that no rule has undefined behaviour and no amount changes
// sign by overflow.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

inline int64_t SatAdd(int64_t a, int64_t b) {
    if (b > 0 && a > std::numeric_limits<int64_t>::max() - b) return std::numeric_limits<int64_t>::max();
    if (b < 0 && a < std::numeric_limits<int64_t>::min() - b) return std::numeric_limits<int64_t>::min();
    return a + b;
}

inline int64_t SatSub(int64_t a, int64_t b) {
    if (b == std::numeric_limits<int64_t>::min()) {
        return a >= 0 ? std::numeric_limits<int64_t>::max() : a - b;
    }
    return SatAdd(a, -b);
}

inline int64_t SatMul(int64_t a, int64_t b) {
    if (a == 0 || b == 0) return 0;
    const int64_t max = std::numeric_limits<int64_t>::max();
    const int64_t min = std::numeric_limits<int64_t>::min();
    bool negative = (a < 0) != (b < 0);
    // Compare magnitudes in unsigned arithmetic, which cannot overflow.
    uint64_t ua = a < 0 ? 0 - static_cast<uint64_t>(a) : static_cast<uint64_t>(a);
    uint64_t ub = b < 0 ? 0 - static_cast<uint64_t>(b) : static_cast<uint64_t>(b);
    uint64_t limit = negative ? static_cast<uint64_t>(max) + 1 : static_cast<uint64_t>(max);
    if (ua > limit / ub) return negative ? min : max;
    uint64_t p = ua * ub;
    if (negative) return p == static_cast<uint64_t>(max) + 1 ? min : -static_cast<int64_t>(p);
    return static_cast<int64_t>(p);
}

// Division that cannot trap: x / y with y != 0, and the one overflowing
// quotient (min / -1) saturated.
inline int64_t SafeDiv(int64_t x, int64_t y) {
    if (y == -1 && x == std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::max();
    return x / y;
}

inline int64_t Negate(int64_t x) {
    return x == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max() : -x;
}

inline int32_t ClampToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// The low 32 bits read as a signed number, as "%d" prints a 64-bit value.
inline int32_t Low32(int64_t v) {
    uint32_t u = static_cast<uint32_t>(static_cast<uint64_t>(v));
    return u <= 0x7fffffffu ? static_cast<int32_t>(u) : static_cast<int32_t>(static_cast<int64_t>(u) - 0x100000000LL);
}

// Truncation toward zero of a floating value into 64 bits, saturated.
inline int64_t TruncToInt64(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
    if (x <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(x);
}

inline int32_t TruncToInt32(double x) {
    return ClampToInt32(TruncToInt64(x));
}
