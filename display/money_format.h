// Money and share counts as the panels show them, in code page 932.
#pragma once

#include <cstdint>
#include <string>

// Signed form: "0円", "%d万円", "%d億%d万円", "%d兆%d億%d万円"; only the
// leading number carries the sign. v is in 万円.
std::string FormatMoney(int64_t v);
// Positive-threshold form: every negative amount is printed whole in 万円.
std::string FormatMoneySimple(int64_t v);
// "%d株", "%d万%d株", "%d億%d万%d株".
std::string FormatShares(int64_t v);
