#include "display/money_format.h"

#include "world/game_texts.h"
#include "world/safe_math.h"
#include "world/text.h"

namespace {

// Every number is printed as "%d" prints it: the low 32 bits, signed.
int32_t Abs32(int64_t v) { return Low32(v < 0 ? Negate(v) : v); }

std::string MoneyRows(int64_t v, bool signedForm) {
    if (v == 0) return StrPrintf(TXT_FMT_YEN, 0);
    bool small = signedForm ? (-10000 < v && v < 10000) : v < 10000;
    if (small) return StrPrintf(TXT_FMT_MAN, Low32(v));
    bool medium = signedForm ? (-100000000 < v && v < 100000000) : v < 100000000;
    if (medium) return StrPrintf(TXT_FMT_OKU, Low32(v / 10000), Abs32(v % 10000));
    return StrPrintf(TXT_FMT_CHO, Low32(v / 100000000), Abs32((v % 100000000) / 10000), Abs32(v % 10000));
}

}  // namespace

std::string FormatMoney(int64_t v) { return MoneyRows(v, true); }

std::string FormatMoneySimple(int64_t v) { return MoneyRows(v, false); }

std::string FormatShares(int64_t v) {
    if (v == 0 || v < 10000) return StrPrintf(TXT_FMT_SHARES, Low32(v));
    if (v < 100000000) return StrPrintf(TXT_FMT_SHARES_MAN, Low32(v / 10000), Low32(v % 10000));
    return StrPrintf(TXT_FMT_SHARES_OKU, Low32(v / 100000000), Low32((v % 100000000) / 10000), Low32(v % 10000));
}
