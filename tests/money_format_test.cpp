// Money and share counts as the panels print them, at each bound of each form.

#include "display/money_format.h"
#include "tests/test_support.h"

TEST(MoneyFormat, EachFormAtItsBounds) {
    struct Row { std::string (*format)(int64_t); int64_t v; const char* text; };
    const Row rows[] = {
        // Signed form: only the leading number carries the sign.
        {FormatMoney, 0, "0円"}, {FormatMoney, 9999, "9999万円"}, {FormatMoney, 10000, "1億0万円"}, {FormatMoney, -9999, "-9999万円"},
        {FormatMoney, -10000, "-1億0万円"}, {FormatMoney, -15000, "-1億5000万円"}, {FormatMoney, 12345678, "1234億5678万円"},
        {FormatMoney, 99999999, "9999億9999万円"}, {FormatMoney, 100000000, "1兆0億0万円"}, {FormatMoney, 123456789, "1兆2345億6789万円"},
        {FormatMoney, -123456789, "-1兆2345億6789万円"}, {FormatMoney, -100000000, "-1兆0億0万円"},
        // Positive-threshold form: every negative amount is printed whole.
        {FormatMoneySimple, 0, "0円"}, {FormatMoneySimple, 12000, "1億2000万円"}, {FormatMoneySimple, -50000, "-50000万円"},
        {FormatMoneySimple, -150000, "-150000万円"}, {FormatMoneySimple, MAX_AMOUNT, "9999兆9999億9999万円"},
        {FormatMoneySimple, -4294967296LL - 7, "-7万円"},   // numbers print their low 32 bits, as "%d" does
        {FormatShares, 0, "0株"}, {FormatShares, 9999, "9999株"}, {FormatShares, 10000, "1万0株"}, {FormatShares, 8000000, "800万0株"},
        {FormatShares, 99999999, "9999万9999株"}, {FormatShares, 1464573536, "14億6457万3536株"}, {FormatShares, -5, "-5株"},
        {FormatShares, MAX_AMOUNT, "9999億9999万9999株"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.format(r.v), Sjis(r.text)) << r.v;
}
