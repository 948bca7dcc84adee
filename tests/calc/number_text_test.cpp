#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <optional>
#include <random>
#include <string>

namespace rampwall {
namespace {

struct ParseCase {
    const char* name;
    const char* text;
    std::optional<double> value;
};

const ParseCase kParseCases[] = {
    {"integer", "350", 350.0},
    {"negative_decimal", "-0.5", -0.5},
    {"trailing_zero_kept_as_value", "-1.0", -1.0},
    {"plus_sign", "+2.5", 2.5},
    {"leading_point", ".5", 0.5},
    {"trailing_point", "5.", 5.0},
    {"exponent", "1e2", 100.0},
    {"exponent_upper_signed", "2.5E-3", 0.0025},
    {"blanks_around", "  18\t", 18.0},
    {"ideographic_space_around",
     "\xE3\x80\x80"
     "10"
     "\xE3\x80\x80",
     10.0},
    {"full_width_digits", "３５０", 350.0},
    {"full_width_sign_and_point", "－０．５", -0.5},
    {"full_width_plus", "＋１", 1.0},
    {"correctly_rounded", "0.1", 0.1},
    {"many_digits_rounded_once", "0.30000000000000004", 0.30000000000000004},
    {"empty", "", std::nullopt},
    {"blank_only", "   ", std::nullopt},
    {"sign_only", "-", std::nullopt},
    {"point_only", ".", std::nullopt},
    {"digit_grouping", "1,000", std::nullopt},
    {"decimal_comma", "0,5", std::nullopt},
    {"inner_blank", "1 000", std::nullopt},
    {"letters", "abc", std::nullopt},
    {"trailing_letters", "12kN", std::nullopt},
    {"exponent_without_digits", "1e", std::nullopt},
    {"double_sign", "--1", std::nullopt},
    {"infinity_word", "inf", std::nullopt},
    {"nan_word", "nan", std::nullopt},
    {"hex", "0x10", std::nullopt},
    {"beyond_double_range", "1e400", std::nullopt},
    {"below_double_range", "1e-400", std::nullopt},
    {"zero_below_range_is_zero", "0e-400", 0.0},
    {"subnormal", "4.9e-324", 4.9406564584124654e-324},
    {"full_width_letter", "１ａ", std::nullopt},
    {"chinese_text", "三百五十", std::nullopt},
    {"truncated_utf8", "\xEF\xBC", std::nullopt},
};

class ParseDoubleTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDoubleTest, AcceptsTypedNumbersOnly) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(parseDouble(c.text), c.value);
}

INSTANTIATE_TEST_SUITE_P(number_text, ParseDoubleTest, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(number_text, CoverIsRoundedStraightTo32Bits) {
    // 50.1 as a float is 50.099998474121094; no detour through double.
    EXPECT_EQ(parseSingle("50.1"), 50.1f);
    EXPECT_EQ(static_cast<double>(*parseSingle("50.1")), 50.099998474121094);
    EXPECT_EQ(parseSingle("1e39"), std::nullopt);
}

// A decimal comma and digit grouping, as many desktop locales have.
struct CommaPunctuation : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(number_text, ParsingAndWritingIgnoreTheProcessLocale) {
    const std::locale previousGlobal = std::locale::global(std::locale(std::locale::classic(), new CommaPunctuation));
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    // The C library's own locale too, where the machine has one with a comma.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    }
    EXPECT_EQ(parseDouble("0.5"), 0.5);
    EXPECT_EQ(parseDouble("0,5"), std::nullopt);
    EXPECT_EQ(parseDouble("1.234,5"), std::nullopt);
    EXPECT_EQ(formatDouble(1234.5), "1234.5");
    EXPECT_EQ(formatSingle(0.43f), "0.43");
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previousGlobal);
}

struct FormatCase {
    const char* name;
    double value;
    bool single;
    const char* text;
};

const FormatCase kFormatCases[] = {
    {"whole_double", 300.0, false, "300"},
    {"double_fifteen_digits", 350 - 50.099998474121094, false, "299.900001525879"},
    {"product_shows_short", 29.7 * 0.97, false, "28.809"},
    {"c75_product", 33.8 * 0.95, false, "32.11"},
    {"small_double_leading_zero", 0.01, false, "0.01"},
    {"negative_double", -4.5, false, "-4.5"},
    {"double_exponent_small", 0.00001, false, "1E-05"},
    {"double_exponent_large", 1.5e20, false, "1.5E+20"},
    {"double_limit_plain", 0.0001, false, "0.0001"},
    {"double_fifteen_digit_whole", 999999999999999.0, false, "999999999999999"},
    {"double_sixteen_digit_whole", 1e15, false, "1E+15"},
    {"single_held_below", static_cast<double>(0.43f), true, "0.43"},
    {"single_moment", static_cast<double>(172.999f), true, "172.999"},
    {"single_area", static_cast<double>(3260.572f), true, "3260.572"},
    {"single_seven_digits_round_up", static_cast<double>(9999999.5f), true, "1E+07"},
    {"single_negative", static_cast<double>(-0.001f), true, "-0.001"},
    {"negative_zero", -0.0, false, "0"},
};

class FormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, GeneralForm) {
    const FormatCase& c = GetParam();
    if (c.single) {
        EXPECT_EQ(formatSingle(static_cast<float>(c.value)), c.text);
    } else {
        EXPECT_EQ(formatDouble(c.value), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(number_text, FormatTest, testing::ValuesIn(kFormatCases),
                         [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

// The value of to_chars' exact rounding to `digits` significant digits.
template <typename T>
double exactlyRounded(T value, int digits) {
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific, digits - 1);
    double rounded = 0;
    std::from_chars(text.data(), end.ptr, rounded);
    return rounded;
}

double valueOf(const std::string& text) {
    std::string plain = text;
    if (const std::size_t e = plain.find('E'); e != std::string::npos) {
        plain[e] = 'e';
    }
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return value;
}

TEST(number_text, SinglesMatchExactRoundingAcrossTheRange) {
    // A stride through every positive finite 32-bit pattern, both signs.
    for (std::uint32_t bits = 1; bits < 0x7f800000U; bits += 4099) {
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        for (float signedValue : {value, -value}) {
            ASSERT_EQ(valueOf(formatSingle(signedValue)), exactlyRounded(signedValue, 7)) << signedValue;
        }
    }
}

TEST(number_text, DoublesMatchExactRounding) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> everyday(-20000.0, 20000.0);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random() & 0x7fefffffffffffffULL;
        double wild = 0;
        std::memcpy(&wild, &bits, sizeof wild);
        // Short decimals such as 7.2 or 299.9 exercise the scaled path.
        const double shortDecimal = std::round(everyday(random) * 1000.0) / 1000.0;
        for (double value : {wild, everyday(random), shortDecimal}) {
            ASSERT_EQ(valueOf(formatDouble(value)), exactlyRounded(value, 15)) << value;
        }
    }
}

TEST(number_text, TypedDecimalsAreCorrectlyRounded) {
    // Short decimals take quicker roads than from_chars; all must agree.
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digitCount(1, 19);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 300000; ++i) {
        std::string text = (i % 3 == 0) ? "-" : "";
        const int count = digitCount(random);
        const int point = std::uniform_int_distribution<int>(0, count)(random);
        for (int d = 0; d < count; ++d) {
            if (d == point) {
                text += '.';
            }
            text += static_cast<char>('0' + digit(random));
        }
        if (i % 4 == 0) {
            text += 'e' + std::to_string(exponent(random));
        }
        double expected = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(result.ptr, text.data() + text.size()) << text;
        ASSERT_EQ(parseDouble(text), expected) << text;
        // The cover goes straight to 32 bits, with its own quick road.
        float expectedSingle = 0;
        const auto single = std::from_chars(text.data(), text.data() + text.size(), expectedSingle);
        if (single.ec == std::errc() && std::isfinite(expectedSingle)) {
            ASSERT_EQ(parseSingle(text), expectedSingle) << text;
        }
    }
}

TEST(number_text, Integers) {
    EXPECT_EQ(formatInteger(23), "23");
    EXPECT_EQ(formatInteger(-12), "-12");
    EXPECT_EQ(formatInteger(std::numeric_limits<int>::min()), "-2147483648");
}

} // namespace
} // namespace rampwall
