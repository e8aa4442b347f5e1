#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as text, the same in every locale and on every standard library the game is built
// with: a player's Italian locale must not turn the decimal point into a comma, and some
// standard libraries lack the floating-point forms of std::from_chars and std::to_chars.
namespace vortila {

// The value of `text` when the whole of it is a decimal number: an optional "-", digits
// with at most one decimal point (at least one digit in all), and an optional exponent
// ("e" or "E", an optional sign, digits). No blanks, no "+" in front, nothing after it.
// Nothing when the text is anything else or its value is beyond the type's range.
std::optional<double> ParseDecimal(std::string_view text);
std::optional<float> ParseDecimalFloat(std::string_view text);

// The shortest text in fixed notation (no exponent) that reads back as exactly `value`;
// where texts of that length tie, the one closest to `value`. So 0.1 is "0.1", 1000 is
// "1000", and a large value is written out in full. `value` must be finite.
std::string ShortestFixed(double value);
std::string ShortestFixed(float value);

}  // namespace vortila
