#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "text/decimal.h"
#include "text/utf8.h"

namespace vortila {
namespace {

using namespace std::string_view_literals;

TEST(Utf8, BadBytesBecomeReplacementCharactersOneEach) {
  const auto repaired = [](std::string_view text) {
    return CleanText(std::string(text), LineEnds::kKept);
  };
  EXPECT_EQ(repaired("ok"), "ok");
  EXPECT_EQ(repaired("città"), "città");
  EXPECT_EQ(repaired("a\xFF"
                     "b"),
            "a\uFFFD"
            "b");
  // A truncated sequence, an overlong slash and an encoded surrogate.
  EXPECT_EQ(repaired("\xC3"), "\uFFFD");
  EXPECT_EQ(repaired("\xC0\xAF"), "\uFFFD\uFFFD");
  EXPECT_EQ(repaired("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(repaired("\xF0\x9F\x9A\x80"), "\xF0\x9F\x9A\x80");
  // A replacement character already in the text is a character like any other.
  EXPECT_EQ(repaired("\uFFFD\xFF"), "\uFFFD\uFFFD");
  EXPECT_EQ(repaired("è\uFFFD"), "è\uFFFD");
}

// Typed or read from a file, a text reaches the screen without a control character; only a
// file keeps its line ends, which separate its items.
TEST(Utf8, ControlCharactersBecomeBlanks) {
  EXPECT_EQ(CleanText("apri\tla\rporta\x1B[2J", LineEnds::kBlanked), "apri la porta [2J");
  EXPECT_EQ(CleanText("\xC2\x85x\x7F", LineEnds::kBlanked), " x ");  // NEL, a C1 control; DEL
  EXPECT_EQ(CleanText("perché^", LineEnds::kBlanked), "perché^");
  // NUL and CSI, the C1 control that opens escape sequences in one character.
  EXPECT_EQ(CleanText(std::string("uno\x1B[2J\r\ndue\0\xC2\x9B\ntre"sv), LineEnds::kKept),
            "uno [2J\r\ndue  \ntre");
}

// Printable ASCII is passed eight bytes at a time: a byte to clean or repair is found
// wherever it falls among them, and the bytes around it are left as they were.
TEST(Utf8, CleansAByteAtEveryPlaceInALongText) {
  const std::string text = "prendi la torcia e apri lo sportello";
  const std::pair<std::string_view, std::string_view> kinds[] = {
      {"\t"sv, " "sv}, {"\x1F"sv, " "sv}, {"\x7F"sv, " "sv}, {"\0"sv, " "sv},
      {"\xFF"sv, "\uFFFD"sv}, {"\x80"sv, "\uFFFD"sv}, {"\xC3\xA8"sv, "\xC3\xA8"sv}};
  for (const auto& [byte, cleaned] : kinds) {
    for (std::size_t at = 0; at <= text.size(); ++at) {
      const std::string dirty = text.substr(0, at) + std::string(byte) + text.substr(at);
      const std::string expected = text.substr(0, at) + std::string(cleaned) + text.substr(at);
      EXPECT_EQ(CleanText(dirty, LineEnds::kBlanked), expected) << at;
    }
  }
  EXPECT_EQ(CleanText(text + "\r\n" + text, LineEnds::kKept), text + "\r\n" + text);
}

TEST(Utf8, CountsCodePointsNotBytes) {
  EXPECT_EQ(CountCodePoints(""), 0u);
  EXPECT_EQ(CountCodePoints("è già più"), 9u);
  EXPECT_EQ(CountCodePoints("\xFF\xFE"), 2u);
}

TEST(Utf8, ItalianCaseCoversAccentedLetters) {
  EXPECT_EQ(ToUpperItalian("è già più perché così, ò"), "È GIÀ PIÙ PERCHÉ COSÌ, Ò");
  EXPECT_EQ(ToLowerItalian("È GIÀ PIÙ PERCHÉ"), "è già più perché");
  EXPECT_EQ(ToUpperItalian("×÷ß"), "×÷ß");
  EXPECT_EQ(ToUpperItalian("ÿ"), "Ÿ");
  EXPECT_EQ(ToLowerItalian("\xFF"), "\xEF\xBF\xBD");
}

// ASCII is changed eight bytes at a time: every ASCII byte, wherever it falls among the
// eight, and whatever follows it, must change as its code point does, and no other byte.
TEST(Utf8, ItalianCaseOfEveryAsciiByteAsItsCodePoint) {
  std::string ascii;
  for (int byte = 1; byte < 0x80; ++byte) ascii += static_cast<char>(byte);
  for (std::size_t shift = 0; shift < 8; ++shift) {
    for (const std::string_view tail : {"", "à", "xyzàXYZ"}) {
      const std::string text = std::string(shift, 'q') + ascii + std::string(tail);
      std::string upper;
      std::string lower;
      for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCodePoint(text, pos);
        AppendUtf8(upper, ToUpperCodePoint(c));
        AppendUtf8(lower, ToLowerCodePoint(c));
      }
      EXPECT_EQ(ToUpperItalian(text), upper) << shift << " " << tail;
      EXPECT_EQ(ToLowerItalian(text), lower) << shift << " " << tail;
    }
  }
}

// What the line already holds stays as it is, accents and small letters included, whether
// the appended text is ASCII alone or not.
TEST(Utf8, AppendsInUpperCaseAfterWhatTheLineHolds) {
  std::string line = "^ > già ";
  AppendUpperItalian(line, "prendi la torcia");
  EXPECT_EQ(line, "^ > già PRENDI LA TORCIA");
  AppendUpperItalian(line, " più sù\xFF");
  EXPECT_EQ(line, "^ > già PRENDI LA TORCIA PIÙ SÙ\xEF\xBF\xBD");
}

TEST(Utf8, TrimsBlanksOnly) {
  EXPECT_EQ(TrimBlanks("  prendi  la torcia  "), "prendi  la torcia");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\tx\t"), "\tx\t");
}

TEST(Decimal, ReadsOnlyAWholeDecimalNumber) {
  EXPECT_EQ(ParseDecimal("2.5"), 2.5);
  EXPECT_EQ(ParseDecimal(".5"), 0.5);
  EXPECT_EQ(ParseDecimal("5."), 5.0);
  EXPECT_EQ(ParseDecimal("-1.5e3"), -1500.0);
  EXPECT_EQ(ParseDecimal("1E-2"), 0.01);
  EXPECT_EQ(ParseDecimalFloat("1000"), 1000.0f);
  for (const char* text : {"", "-", ".", "+1", " 1", "1 ", "1,5", "0x10", "1e", "1e+", "1.2.3",
                           "inf", "nan", "1e400"}) {
    EXPECT_EQ(ParseDecimal(text), std::nullopt) << text;
  }
  EXPECT_EQ(ParseDecimalFloat("1e40"), std::nullopt);
}

// The standard library's own shortest form, where it has one, is the reference.
template <typename Number>
std::string StandardShortest(Number value) {
  char text[1200];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return std::string(text, written.ptr);
}

TEST(Decimal, ShortestFixedAgreesWithTheStandardForm) {
  std::vector<double> values{0.1,  2.5, 1000,  1e22, 1.5e23, 123.456, 9007199254740993.0,
                             1e-7, 0,   0.05, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::min()};
  std::mt19937_64 random(7);
  for (int i = 0; i < 3000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) values.push_back(std::fabs(value));
  }
  // Powers of two have a narrower gap below them than above, where a careless search for
  // the shortest form goes wrong.
  for (int exponent = -1074; exponent <= 1023; exponent += 3) {
    values.push_back(std::ldexp(1.0, exponent));
  }
  for (double value : values) EXPECT_EQ(ShortestFixed(value), StandardShortest(value)) << value;
  for (float value : {1000.0f, 0.1f, 720.5f, 3.4e38f, 1e-30f}) {
    EXPECT_EQ(ShortestFixed(value), StandardShortest(value)) << value;
  }
}

}  // namespace
}  // namespace vortila
