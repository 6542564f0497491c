#include <gtest/gtest.h>

#include "display/money_format.h"
#include "tests/test_support.h"

TEST(MoneyFormat, SignedForm) {
    EXPECT_EQ(FormatMoney(0), Sjis("0円"));
    EXPECT_EQ(FormatMoney(9999), Sjis("9999万円"));
    EXPECT_EQ(FormatMoney(10000), Sjis("1億0万円"));
    EXPECT_EQ(FormatMoney(-9999), Sjis("-9999万円"));
    EXPECT_EQ(FormatMoney(-10000), Sjis("-1億0万円"));
    EXPECT_EQ(FormatMoney(-15000), Sjis("-1億5000万円"));
    EXPECT_EQ(FormatMoney(12345678), Sjis("1234億5678万円"));
    EXPECT_EQ(FormatMoney(100000000), Sjis("1兆0億0万円"));
    EXPECT_EQ(FormatMoney(123456789), Sjis("1兆2345億6789万円"));
    EXPECT_EQ(FormatMoney(-123456789), Sjis("-1兆2345億6789万円"));
}

TEST(MoneyFormat, PositiveThresholdForm) {
    EXPECT_EQ(FormatMoneySimple(0), Sjis("0円"));
    EXPECT_EQ(FormatMoneySimple(12000), Sjis("1億2000万円"));
    EXPECT_EQ(FormatMoneySimple(-50000), Sjis("-50000万円"));
    EXPECT_EQ(FormatMoneySimple(-150000), Sjis("-150000万円"));
    EXPECT_EQ(FormatMoneySimple(999999999999LL), Sjis("9999兆9999億9999万円"));
}

TEST(MoneyFormat, Shares) {
    EXPECT_EQ(FormatShares(0), Sjis("0株"));
    EXPECT_EQ(FormatShares(9999), Sjis("9999株"));
    EXPECT_EQ(FormatShares(8000000), Sjis("800万0株"));
    EXPECT_EQ(FormatShares(1464573536), Sjis("14億6457万3536株"));
    EXPECT_EQ(FormatShares(-5), Sjis("-5株"));
}

TEST(MoneyFormat, NumbersPrintTheirLow32Bits) {
    // A small-form amount below -2^31 wraps as "%d" would print it.
    EXPECT_EQ(FormatMoneySimple(-4294967296LL - 7), Sjis("-7万円"));
    // Large share counts: each part fits, so they print whole.
    EXPECT_EQ(FormatShares(999999999999LL), Sjis("9999億9999万9999株"));
}
