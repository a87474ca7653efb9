#include "core/NumberRules.h"
#include "core/VbTypes.h"

#include <QLocale>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

namespace {

// The code a call raises, or nothing when it returns normally.
std::optional<VbError::Code> ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const VbError& e) {
        return e.code();
    }
    return std::nullopt;
}

constexpr auto NoError = std::nullopt;

// Switches the user's locale for one test and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }
private:
    QLocale saved_;
};

} // namespace

TEST(NumberRules, CIntRoundsHalfToEvenAndOverflowsOutside16Bits)
{
    struct Case { double in; int expected; std::optional<VbError::Code> error; };
    const std::vector<Case> cases = {
        {2.5, 2, NoError}, {3.5, 4, NoError}, {-2.5, -2, NoError}, {0.5, 0, NoError}, {1.5, 2, NoError},
        {-1.5, -2, NoError}, {2.4999, 2, NoError}, {2.5001, 3, NoError}, {32767.4, 32767, NoError},
        {-32768.5, -32768, NoError}, {32767.5, 0, VbError::Overflow}, {-32768.51, 0, VbError::Overflow},
        {std::nan(""), 0, VbError::Overflow}, {HUGE_VAL, 0, VbError::Overflow},
    };
    for (const Case& c : cases) {
        int got = 0;
        EXPECT_EQ(ErrorOf([&] { got = CInt(c.in); }), c.error) << c.in;
        if (!c.error) {
            EXPECT_EQ(got, c.expected) << c.in;
        }
    }
}

TEST(NumberRules, CLngAndCByteUseTheirOwnRanges)
{
    struct Case { std::function<double()> call; double expected; std::optional<VbError::Code> error; };
    const std::vector<Case> cases = {
        {[] { return CLng(2147483646.5); }, 2147483646, NoError},
        {[] { return CLng(-2147483648.5); }, -2147483648.0, NoError},
        {[] { return CLng(2147483647.5); }, 0, VbError::Overflow},
        {[] { return CLng(-2147483649.0); }, 0, VbError::Overflow},
        {[] { return CByte(254.5); }, 254, NoError},
        {[] { return CByte(-0.5); }, 0, NoError},
        {[] { return CByte(255.5); }, 0, VbError::Overflow},
        {[] { return CByte(-0.51); }, 0, VbError::Overflow},
        {[] { return CByte(std::nan("")); }, 0, VbError::Overflow},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        double got = 0;
        EXPECT_EQ(ErrorOf([&] { got = cases[i].call(); }), cases[i].error) << "case " << i;
        if (!cases[i].error) {
            EXPECT_EQ(got, cases[i].expected) << "case " << i;
        }
    }
}

TEST(NumberRules, IntRoundsDownAndFixTowardsZero)
{
    struct Case { double in, intResult, fixResult, halfEven; };
    const std::vector<Case> cases = {
        {-2.5, -3, -2, -2}, {2.5, 2, 2, 2}, {-0.5, -1, 0, 0}, {7.9, 7, 7, 8}, {-7.9, -8, -7, -8},
        {4.0, 4, 4, 4}, {1e16 + 2, 1e16 + 2, 1e16 + 2, 1e16 + 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Int(c.in), c.intResult) << c.in;
        EXPECT_EQ(Fix(c.in), c.fixResult) << c.in;
        EXPECT_EQ(RoundHalfEven(c.in), c.halfEven) << c.in;
    }
}

TEST(NumberRules, IntDivAndModRoundOperandsAndKeepTheDividendSign)
{
    using Err = std::optional<VbError::Code>;
    struct Case { double a, b; int quotient, remainder; Err divError, modError; };
    const std::vector<Case> cases = {
        {7, 2, 3, 1, NoError, NoError}, {-7, 2, -3, -1, NoError, NoError}, {7, -3, -2, 1, NoError, NoError},
        {-370, 360, -1, -10, NoError, NoError}, {7.5, 2, 4, 0, NoError, NoError}, {6.5, 2, 3, 0, NoError, NoError},
        {-2147483648.0, -1, 0, 0, VbError::Overflow, NoError},
        {5, 0.4, 0, 0, VbError::DivisionByZero, VbError::DivisionByZero},
        {5, 0, 0, 0, VbError::DivisionByZero, VbError::DivisionByZero},
        {3e9, 2, 0, 0, VbError::Overflow, VbError::Overflow},
    };
    for (const Case& c : cases) {
        int q = 0, r = 0;
        EXPECT_EQ(ErrorOf([&] { q = IntDiv(c.a, c.b); }), c.divError) << c.a << " \\ " << c.b;
        EXPECT_EQ(ErrorOf([&] { r = Mod(c.a, c.b); }), c.modError) << c.a << " Mod " << c.b;
        if (!c.divError) {
            EXPECT_EQ(q, c.quotient) << c.a << " \\ " << c.b;
        }
        if (!c.modError) {
            EXPECT_EQ(r, c.remainder) << c.a << " Mod " << c.b;
        }
    }
}

TEST(NumberRules, CStrWritesFifteenSignificantDigitsInTheLocale)
{
    struct Case { double in; const char* expected; };
    const std::vector<Case> cases = {
        {0.5, "0,5"}, {-0.0, "0"}, {0.1 + 0.2, "0,3"}, {25, "25"}, {-2.5, "-2,5"}, {1.0 / 3, "0,333333333333333"},
        {0.0001, "0,0001"}, {0.00001, "1E-05"}, {0.000015, "1,5E-05"}, {-0.000012345, "-1,2345E-05"},
        {1e15, "1E+15"}, {1e16, "1E+16"}, {123456789012345, "123456789012345"}, {1234567890123456, "1,23456789012346E+15"},
        {999999999999999.9, "1E+15"}, {100, "100"}, {1e100, "1E+100"}, {-1e-300, "-1E-300"},
        {2.0 / 3 * 1e-3, "0,000666666666666667"}, {2.0 / 3 * 1e-4, "6,66666666666667E-05"}, {12345.678, "12345,678"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStr(c.in).toStdString(), c.expected) << c.in;
}

TEST(NumberRules, FormatFollowsOptionalAndRequiredDigits)
{
    struct Case { double in; const char* pattern; const char* expected; };
    const std::vector<Case> cases = {
        {2.345, "##0.00", "2,35"}, {2.675, "##0.00", "2,68"}, {-2.675, "##0.00", "-2,68"}, {5, "##0.##", "5,"},
        {42, "0000000", "0000042"}, {-0.001, "##0.00", "0,00"}, {0.5, "##0.00", "0,50"}, {12.3456, "##0.##", "12,35"},
        {0.04, "#.##", ",04"}, {1234.5, "##0.00", "1234,50"}, {9.995, "##0.00", "10,00"}, {99.5, "0", "100"},
        {12.10, "##0.##", "12,1"}, {1234567, "0", "1234567"}, {0, "##0.00", "0,00"}, {-3.14159, "0.0#", "-3,14"},
        {0.004, "##0.##", "0,"}, {-0.0, "0.0", "0,0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.in, QString::fromLatin1(c.pattern)).toStdString(), c.expected) << c.in << " " << c.pattern;
    EXPECT_EQ(ErrorOf([] { Format(1, QStringLiteral("#,##0")); }), VbError::InvalidCall);
    EXPECT_EQ(ErrorOf([] { Format(1, QStringLiteral("0.0.0")); }), VbError::InvalidCall);
}

TEST(NumberRules, TryParseNumberIsStrictInACommaLocale)
{
    struct Case { const char* text; bool ok; double value; };
    const std::vector<Case> cases = {
        {"5,2", true, 5.2}, {"5,", true, 5}, {",5", true, 0.5}, {"  -12,75 ", true, -12.75}, {"+3", true, 3},
        {"1,5E3", true, 1500}, {"2e-2", true, 0.02}, {"1E+2", true, 100}, {"-0", true, 0}, {"007", true, 7},
        {"5.2", false, 0}, {"1.000", false, 0}, {"1.000,5", false, 0}, {"", false, 0}, {"   ", false, 0},
        {"-", false, 0}, {",", false, 0}, {"+-1", false, 0}, {"1 2", false, 0}, {"- 1", false, 0},
        {"5,2,1", false, 0}, {"&H1F", false, 0}, {"0x1F", false, 0}, {"inf", false, 0}, {"nan", false, 0},
        {"1E", false, 0}, {"1E+", false, 0}, {"E5", false, 0}, {"12a", false, 0}, {"1e400", false, 0},
    };
    for (const Case& c : cases) {
        double out = -99;
        EXPECT_EQ(TryParseNumber(QString::fromLatin1(c.text), out), c.ok) << c.text;
        EXPECT_EQ(out, c.ok ? c.value : -99) << c.text;
        EXPECT_EQ(Val(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

TEST(NumberRules, TryParseNumberAndOutputFollowAnEnglishLocale)
{
    const LocaleScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    double out = 0;
    EXPECT_TRUE(TryParseNumber(QStringLiteral("5.2"), out));
    EXPECT_EQ(out, 5.2);
    EXPECT_FALSE(TryParseNumber(QStringLiteral("5,2"), out));
    EXPECT_FALSE(TryParseNumber(QStringLiteral("1,000"), out));
    EXPECT_EQ(DecimalSeparator(), QLatin1Char('.'));
    EXPECT_EQ(CStr(-2.5).toStdString(), "-2.5");
    EXPECT_EQ(CStr(0.000015).toStdString(), "1.5E-05");
    EXPECT_EQ(Format(5, QStringLiteral("##0.##")).toStdString(), "5.");
}

TEST(NumberRules, HexIsUpperCaseWithoutPadding)
{
    struct Case { std::uint32_t in; const char* expected; };
    const std::vector<Case> cases = {{0, "0"}, {10, "A"}, {255, "FF"}, {0x0ABCDEF1, "ABCDEF1"}, {0xFFFFFFFF, "FFFFFFFF"}};
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.in).toStdString(), c.expected);
}
