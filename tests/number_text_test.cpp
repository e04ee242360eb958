#include "files/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace ball {
namespace {

TEST(ParseNumber, LenientLikeATextBox) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"125", 125},        {"1 2 5", 125},     {" -.5e1x", -5},    {"abc", 0},
        {"", 0},             {"\t4\n2", 42},     {"+3", 3},          {"3.", 3},
        {".", 0},            {"-", 0},           {"1e", 1},          {"1e+", 1},
        {"2E-1", 0.2},       {"12abc", 12},      {"1.2.3", 1.2},     {"1,5", 1},
        {"1e-400", 0},       {"-0.00000", 0},    {"48.7km", 48.7},   {"1d2", 1},
        {"00012.50", 12.5},  {"1e308", 1e308},   {"\r5", 0},
        // Full-width digits, signs and period, and the ideographic space, as an input method
        // in full-width mode types them; the full-width e and a lone lead byte are not numbers.
        {"１２５", 125},      {"－５", -5},        {"＋３", 3},         {"２．５", 2.5},
        {"１\u3000２", 12},  {"\u3000－.５", -0.5}, {"1ｅ2", 1},         {"\xEF\xBC", 0},
        {"９\xEF\xBC\x9A", 9}, {"1e２", 100},
        // Every other minus: the sign, hyphens and dashes, the small form, the kana long vowel
        // mark an input method types for "-", and its half-width form; a dash in a number ends it.
        {"\u2212125", -125}, {"\u2010125", -125}, {"\u2011125", -125}, {"\u2012125", -125},
        {"\u2013125", -125}, {"\uFE63125", -125}, {"\u30FC125", -125}, {"\uFF70125", -125},
        {"1\u30FC2", 1},     {"\u2014125", 0},
        // Invisible format characters, pasted with a number, are blanks too.
        {"\u200F125", 125}, {"1\u200B2\u200E5", 125}, {"\uFEFF-3", -3}, {"\u2066７\u2069", 7},
        {"4\u00AD2", 42},  {"2\U000E0041", 2},      {"\u200C", 0},      {"\xE2\x80", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(parseNumber(r.text), r.value);
    }
}

TEST(ParseNumber, BeyondTheDoubleRangeIsOverflow) {
    for (const std::string& text :
         std::vector<std::string>{"1e400", "-1e309", "99999e305", "1" + std::string(400, '0')}) {
        SCOPED_TRACE(text);
        test::expectRunError([&] { parseNumber(text); }, ErrorKind::Overflow);
    }
}

TEST(ScanNumber, TellsIntegersFromDecimals) {
    struct Row {
        const char* text;
        bool integral;
        std::size_t length;
    };
    const Row rows[] = {{"114", true, 3}, {"-3", true, 2}, {"1.5", false, 3},
                        {"2e3", false, 3}, {"7,", true, 1}, {"x", false, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const ScannedNumber n = scanNumber(r.text);
        EXPECT_EQ(n.integral, r.integral);
        EXPECT_EQ(n.length, r.length);
    }
}

// Figures print as the window always printed them: an exact half away from zero, no "-0".
TEST(FixedText, HalvesAwayFromZero) {
    struct Row {
        double v;
        int decimals;
        const char* text;
    };
    const Row rows[] = {{0.125, 2, "0.13"},  {-72.125, 2, "-72.13"}, {2.5, 0, "3"},
                        {0.1249, 2, "0.12"}, {9.95, 1, "9.9"},       {99.96, 1, "100.0"},
                        {-0.0, 1, "0.0"},    {-1e-9, 1, "-0.0"},     {0.5649, 3, "0.565"}};
    for (const Row& r : rows) EXPECT_EQ(fixedText(r.v, r.decimals), r.text) << r.v;
    // Every table, chart and CSV alike: scaled, no sign on what shows as zero, its own "none".
    EXPECT_EQ(figureText(-0.00004, 2, 100, ""), "0.00");
    EXPECT_EQ(figureText(-0.0004, 2, 100, ""), "-0.04");
    EXPECT_EQ(figureText(std::nullopt, 1, 100, ""), "");
    EXPECT_EQ(figureText(std::nullopt, 1), "—");
}

}  // namespace
}  // namespace ball
