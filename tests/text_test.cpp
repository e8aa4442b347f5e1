#include <gtest/gtest.h>

#include "text/utf8.h"

namespace vortila {
namespace {

TEST(Utf8, BadBytesBecomeReplacementCharactersOneEach) {
  EXPECT_EQ(RepairUtf8("ok"), "ok");
  EXPECT_EQ(RepairUtf8("città"), "città");
  EXPECT_EQ(RepairUtf8("a\xFF"
                       "b"),
            "a\uFFFD"
            "b");
  // A truncated sequence, an overlong slash and an encoded surrogate.
  EXPECT_EQ(RepairUtf8("\xC3"), "\uFFFD");
  EXPECT_EQ(RepairUtf8("\xC0\xAF"), "\uFFFD\uFFFD");
  EXPECT_EQ(RepairUtf8("\xED\xA0\x80"), "\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(RepairUtf8("\xF0\x9F\x9A\x80"), "\xF0\x9F\x9A\x80");
  // A replacement character already in the text is a character like any other.
  EXPECT_EQ(RepairUtf8("\uFFFD\xFF"), "\uFFFD\uFFFD");
  EXPECT_EQ(RepairUtf8("è\uFFFD"), "è\uFFFD");
}

TEST(Utf8, CommandTextLosesControlCharactersButKeepsItsLength) {
  EXPECT_EQ(CleanCommandText("apri\tla\rporta\x1B[2J"), "apri la porta [2J");
  EXPECT_EQ(CleanCommandText("\xC2\x85x"), " x");  // NEL, a C1 control
  EXPECT_EQ(CleanCommandText("perché^"), "perché^");
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

TEST(Utf8, TrimsBlanksOnly) {
  EXPECT_EQ(TrimBlanks("  prendi  la torcia  "), "prendi  la torcia");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\tx\t"), "\tx\t");
}

}  // namespace
}  // namespace vortila
