#include "controls/used/NumberFormat.h"

#include <gtest/gtest.h>

using tamsell::formatNumber;

namespace {

const QLocale c = QLocale::c();

QString format(double number, const QString& pattern) {
    return formatNumber(number, pattern, c);
}

TEST(NumberFormat, PercentPatternRoundsHalfUpAtFifteenDigits) {
    EXPECT_EQ(format(0.57, "##0%"), "57%");
    EXPECT_EQ(format(0, "##0%"), "0%");
    EXPECT_EQ(format(1, "##0%"), "100%");
    EXPECT_EQ(format(0.005, "##0%"), "1%");
    // 0.575 x 100 is 57.4999... in binary; shown as the decimal it was meant to be.
    EXPECT_EQ(format(23.0 / 40.0, "##0%"), "58%");
    EXPECT_EQ(format(0.99999, "##0%"), "100%");
}

TEST(NumberFormat, NamedFormats) {
    EXPECT_EQ(format(0.5, "Standard"), "0.50");
    EXPECT_EQ(format(1234567.891, "standard"), "1,234,567.89");
    EXPECT_EQ(format(-1234.5, "Standard"), "-1,234.50");
    EXPECT_EQ(format(2.5, "Fixed"), "2.50");
    EXPECT_EQ(format(0.1234, "Percent"), "12.34%");
    EXPECT_EQ(format(12345, "Scientific"), "1.23E+04");
    EXPECT_EQ(format(57.5, "General Number"), "57.5");
    EXPECT_EQ(format(0, "Yes/No"), "No");
    EXPECT_EQ(format(-3, "True/False"), "True");
    EXPECT_EQ(format(1, "On/Off"), "On");
}

TEST(NumberFormat, DigitPlaces) {
    EXPECT_EQ(format(57.5, "0.0"), "57.5");
    EXPECT_EQ(format(0.5, "#.##"), ".5");
    EXPECT_EQ(format(5, "#.##"), "5.");
    EXPECT_EQ(format(5.1, "0.0#"), "5.1");
    EXPECT_EQ(format(42, "00000"), "00042");
    // Digits that no place is left for go to the first place.
    EXPECT_EQ(format(123456, "0"), "123456");
    EXPECT_EQ(format(0.995, "0.00"), "1.00");
    EXPECT_EQ(format(12.5, ".00"), "12.50");
}

TEST(NumberFormat, CommasGroupBetweenDigitsAndScaleAfterThem) {
    EXPECT_EQ(format(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(format(5, "#,##0"), "5");
    EXPECT_EQ(format(5, "0,000"), "0,005");
    EXPECT_EQ(format(1234567, "#,##0,"), "1,235");
    EXPECT_EQ(format(12345678, "0,,"), "12");
    EXPECT_EQ(format(3, ",0"), ",3");
}

TEST(NumberFormat, SectionsAndSigns) {
    EXPECT_EQ(format(5, "0;(0);zero"), "5");
    EXPECT_EQ(format(-5, "0;(0);zero"), "(5)");
    EXPECT_EQ(format(0, "0;(0);zero"), "zero");
    EXPECT_EQ(format(-5, "0;;zero"), "-5");
    EXPECT_EQ(format(0, "0;(0)"), "0");
    // Nothing negative is left once rounded.
    EXPECT_EQ(format(-0.001, "0.00"), "0.00");
}

TEST(NumberFormat, LiteralText) {
    EXPECT_EQ(format(3, "0 \"件\""), "3 件");
    EXPECT_EQ(format(3, "\\#0"), "#3");
    EXPECT_EQ(format(3, "\"a;b\"0;x"), "a;b3");
    EXPECT_EQ(format(7, "Done"), "Done");
    EXPECT_EQ(format(7, "[0]"), "[7]");
}

TEST(NumberFormat, Exponents) {
    EXPECT_EQ(format(0.000123, "0.00E+00"), "1.23E-04");
    EXPECT_EQ(format(9.999, "0.00E+00"), "1.00E+01");
    EXPECT_EQ(format(1234, "0.0e-0"), "1.2e3");
    EXPECT_EQ(format(0, "0.00E+00"), "0.00E+00");
}

TEST(NumberFormat, SeparatorsComeFromTheLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(formatNumber(1234.5, "Standard", german), "1.234,50");
    EXPECT_EQ(formatNumber(0.5, "0.0", german), "0,5");
}

} // namespace
