#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ball {

/// A number read from text.
struct ScannedNumber {
    double value = 0;
    bool integral = false;   // digits only: no period, no exponent
    std::size_t length = 0;  // characters taken; 0 when the text does not begin with a number
};

/// Reads the longest leading part of text that is a number (sign, digits, one period, optional
/// exponent), whatever the locale. Overflow when it is beyond the float64 range; a magnitude
/// below it reads as zero.
ScannedNumber scanNumber(std::string_view text);

/// The lenient parse of a text box: blanks, tabs and line feeds anywhere are ignored, and so are
/// the invisible format characters (bidirectional marks, zero-width spaces, the byte-order
/// mark); full-width digits, signs and period read as their ASCII twins. The longest leading
/// number is taken, and text that does not begin with one reads as 0.
double parseNumber(std::string_view text);

/// A text that is one number and nothing else, read as a text box reads it (blanks, invisible
/// marks and full-width forms allowed); none for an empty text, letters or anything after the
/// number.
std::optional<double> parseWholeNumber(std::string_view text);

/// Shortest text that reads back to the same double, with a period whatever the locale.
std::string shortestText(double v);

/// Shortest text that reads back to the same float32.
std::string shortestSingleText(float v);

/// A float32 in at most 7 significant digits, with a period whatever the locale.
std::string sevenDigitText(float v);

/// A value with a fixed number of decimals, a half rounded away from zero and no sign on zero,
/// as the window's toolkit prints figures.
std::string fixedText(double v, int decimals);

/// A figure as every table, chart and CSV shows it: the value times the scale to its decimals
/// (fixedText), a value that shows as zero without a sign, and `none` where there is no value.
std::string figureText(std::optional<double> v, int decimals, double scale = 1,
                       std::string_view none = "—");

}  // namespace ball
