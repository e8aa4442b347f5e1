#include "text/decimal.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace vortila {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits from `pos` and tells how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos - start;
}

// The grammar of ParseDecimal. The C library that reads the value afterwards would also take
// blanks, a "+", hexadecimal digits, "inf" or a number followed by other text.
bool IsDecimal(std::string_view text) {
  std::size_t pos = 0;
  if (pos < text.size() && text[pos] == '-') ++pos;
  std::size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    digits += SkipDigits(text, pos);
  }
  if (digits == 0) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    if (SkipDigits(text, pos) == 0) return false;
  }
  return pos == text.size();
}

// The C library reads and writes numbers with the decimal point of the current locale, which
// a front end may have set to the player's: a comma in Italian. The standard streams would do
// without it, but setting them up costs a start of the game more than all its numbers.
std::string_view LocaleDecimalPoint() { return std::localeconv()->decimal_point; }

template <typename Number>
std::optional<Number> Parse(std::string_view text) {
  if (!IsDecimal(text)) return std::nullopt;
  std::string local(text);
  if (const std::size_t point = local.find('.'); point != std::string::npos) {
    local.replace(point, 1, LocaleDecimalPoint());
  }
  char* end = nullptr;
  Number value{};
  if constexpr (std::is_same_v<Number, float>) {
    value = std::strtof(local.c_str(), &end);
  } else {
    value = std::strtod(local.c_str(), &end);
  }
  // A value beyond the type's range reads as infinite.
  if (end != local.c_str() + local.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

template <typename Number>
std::string FormatFixed(Number value, int decimals) {
  const double wide = value;
  std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%.*f", decimals, wide)),
                   '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, wide);
  const std::string_view point = LocaleDecimalPoint();
  const std::size_t at = text.find(point);
  if (point == "." || at == std::string::npos) return text;
  return text.substr(0, at) + '.' + text.substr(at + point.size());
}

// The same text one unit higher in its last digit: "0.19" gives "0.20", "9.9" gives "10.0".
std::string OneUnitUp(std::string text) {
  for (std::size_t pos = text.size(); pos-- > 0;) {
    if (text[pos] == '.') continue;
    if (text[pos] != '9') {
      ++text[pos];
      return text;
    }
    text[pos] = '0';
  }
  return "1" + text;
}

// Fewer decimals mean a shorter text, so the first count of decimals with a text that
// reads back gives the answer. With that count the text printed is the closest to the
// value; at a power of two, whose gap to the next smaller value is half the gap to the next
// larger one, that text may lie below and miss while the one a unit higher reads back.
// The first significant digit lies near 10^exponent and max_digits10 significant digits
// always read back, which bounds the counts worth trying to about twenty.
template <typename Number>
std::string Shortest(Number value) {
  if (value < 0) return std::string(1, '-').append(Shortest(-value));
  const int exponent = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(value)));
  const int significant = std::numeric_limits<Number>::max_digits10;
  const int fewest = std::max(0, -exponent - 1);
  const int most = std::max(0, significant - exponent);
  for (int decimals = fewest; decimals < most; ++decimals) {
    const std::string closest = FormatFixed(value, decimals);
    if (Parse<Number>(closest) == value) return closest;
    const std::string above = OneUnitUp(closest);
    if (Parse<Number>(above) == value) return above;
  }
  return FormatFixed(value, most);
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) { return Parse<double>(text); }
std::optional<float> ParseDecimalFloat(std::string_view text) { return Parse<float>(text); }

std::string ShortestFixed(double value) { return Shortest(value); }
std::string ShortestFixed(float value) { return Shortest(value); }

}  // namespace vortila
