#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>
#include <cmath>
#include <string>

#include "physics/run_error.h"

namespace ball {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the first significant digit, saturated; decides overflow from underflow.
long magnitude(std::string_view mantissa, std::string_view exponent) {
    long exp = 0;
    bool negative = false;
    for (char c : exponent) {
        if (c == '-') negative = true;
        if (isDigit(c) && exp < 100000) exp = exp * 10 + (c - '0');
    }
    if (negative) exp = -exp;
    long position = 0;  // digits before the period, counted from the first significant one
    bool seenPoint = false;
    bool seenSignificant = false;
    long leadingFractionZeros = 0;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (isDigit(c)) {
            if (!seenSignificant && c == '0') {
                if (seenPoint) ++leadingFractionZeros;
                continue;
            }
            if (!seenSignificant && seenPoint) return exp - leadingFractionZeros - 1;
            seenSignificant = true;
            if (!seenPoint) ++position;
        }
    }
    return exp + position - 1;
}

// Unicode's format characters (category Cf): bidirectional marks, zero-width spaces and joiners,
// the byte-order mark and the like. Invisible in a text box, so they read as blanks.
constexpr std::pair<char32_t, char32_t> kFormatCharacters[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
    {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

// The length in bytes of a format character encoded in UTF-8 at the start of text; 0 when
// none stands there.
std::size_t formatCharacterLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t length = 0;
    char32_t c = 0;
    if (text.size() >= 2 && byte(0) >= 0xC2 && byte(0) < 0xE0) {
        length = 2, c = byte(0) & 0x1F;
    } else if (text.size() >= 3 && byte(0) >= 0xE0 && byte(0) < 0xF0) {
        length = 3, c = byte(0) & 0x0F;
    } else if (text.size() >= 4 && byte(0) >= 0xF0 && byte(0) < 0xF5) {
        length = 4, c = byte(0) & 0x07;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    for (const auto& [first, last] : kFormatCharacters) {
        if (c >= first && c <= last) return length;
    }
    return 0;
}

}  // namespace

ScannedNumber scanNumber(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    bool integral = true;
    if (i < text.size() && text[i] == '.') {
        integral = false;
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return {};
    const std::size_t mantissaEnd = i;

    std::size_t exponentEnd = mantissaEnd;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && isDigit(text[j])) ++j;
        if (j > expDigits) {
            exponentEnd = j;
            integral = false;
        }
    }

    // from_chars takes no plus sign; the sign is applied afterwards.
    std::string body(text.substr(mantissaStart, exponentEnd - mantissaStart));
    double value = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(mantissaStart, mantissaEnd - mantissaStart);
        const std::string_view exponent = text.substr(mantissaEnd, exponentEnd - mantissaEnd);
        if (magnitude(mantissa, exponent) > 0) throw RunError(ErrorKind::Overflow);
        value = 0;
    }
    return {negative ? -value : value, integral, exponentEnd};
}

namespace {

// What else is typed or pasted for a minus: the minus sign, the hyphens and dashes, the small
// hyphen-minus, the long vowel mark an input method gives for "-" in kana mode, and its
// half-width form.
constexpr std::string_view kMinusSigns[] = {
    "\u2212", "\u2010", "\u2011", "\u2012", "\u2013", "\uFE63", "\u30FC", "\uFF70",
};

// The text as the number scan sees it: blanks and invisible marks gone, full-width digits,
// signs and period and every kind of minus as ASCII.
std::string normalized(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n') continue;
        // A Japanese input method in full-width mode types U+FF10..U+FF19, U+FF0B, U+FF0D and
        // U+FF0E for digits, signs and period, and U+3000 for a blank: read them as ASCII.
        const std::string_view rest = text.substr(i);
        if (rest.starts_with("\xE3\x80\x80")) {
            i += 2;
            continue;
        }
        if (const std::size_t n = formatCharacterLength(rest)) {
            i += n - 1;
            continue;
        }
        if (const auto minus = std::find_if(std::begin(kMinusSigns), std::end(kMinusSigns),
                                            [&](std::string_view m) { return rest.starts_with(m); });
            minus != std::end(kMinusSigns)) {
            kept += '-';
            i += minus->size() - 1;
            continue;
        }
        if (rest.size() >= 3 && rest.starts_with("\xEF\xBC")) {
            const unsigned char last = static_cast<unsigned char>(rest[2]);
            if ((last >= 0x90 && last <= 0x99) || last == 0x8B || last == 0x8D || last == 0x8E) {
                kept += static_cast<char>(last - 0x90 + '0');  // 0x8B '+', 0x8D '-', 0x8E '.'
                i += 2;
                continue;
            }
        }
        kept += c;
    }
    return kept;
}

}  // namespace

double parseNumber(std::string_view text) { return scanNumber(normalized(text)).value; }

std::optional<double> parseWholeNumber(std::string_view text) {
    const std::string kept = normalized(text);
    const ScannedNumber n = scanNumber(kept);
    if (n.length == 0 || n.length != kept.size()) return std::nullopt;
    return n.value;
}

namespace {

// std::to_chars of a value with the given form, as a string; no locale takes part.
template <class T, class... Form>
std::string charsOf(T v, Form... form) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, form...);
    return std::string(buf, res.ptr);
}

}  // namespace

std::string shortestText(double v) { return charsOf(v); }

std::string shortestSingleText(float v) { return charsOf(v); }

std::string sevenDigitText(float v) { return charsOf(v, std::chars_format::general, 7); }

std::string fixedText(double v, int decimals) {
    if (!std::isfinite(v)) return shortestText(v);
    // Forty decimals hold the exact value far past any half a figure shows; round that text.
    char buf[400];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, 40);
    std::string s(buf, res.ptr);
    const std::size_t point = s.find('.');
    const bool up = s[point + 1 + decimals] >= '5';
    s.resize(decimals == 0 ? point : point + 1 + decimals);
    for (std::size_t i = s.size(); up && i-- > 0;) {
        if (s[i] == '.') continue;
        if (s[i] != '9') {
            ++s[i];
            break;
        }
        s[i] = '0';
        if (i == 0) s.insert(s.begin(), '1');
    }
    return std::signbit(v) && v != 0 ? '-' + s : s;
}

std::string figureText(std::optional<double> v, int decimals, double scale, std::string_view none) {
    if (!v) return std::string(none);
    std::string text = fixedText(*v * scale, decimals);
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

}  // namespace ball
