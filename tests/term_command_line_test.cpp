#include "app/term/command_line.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vortila {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  // Column widths of accented and wide letters come from the locale.
  static void SetUpTestSuite() { std::setlocale(LC_ALL, "C.UTF-8"); }

  void Type(std::u32string_view text) {
    for (const char32_t c : text) line.Insert(c);
  }
  std::u32string Shown(int columns) { return std::u32string(line.Visible(columns).text); }

  CommandLine line;
};

TEST_F(CommandLineTest, TypingInTheMiddleOfAccentedTextKeepsItWellFormed) {
  Type(U"perch guardò");
  for (int i = 0; i < 7; ++i) line.MoveLeft();
  Type(U"é");
  EXPECT_EQ(line.Text(), "perché guardò");
  line.MoveEnd();
  line.DeleteBefore();
  EXPECT_EQ(line.Text(), "perché guard");
  line.MoveHome();
  line.DeleteUnder();
  EXPECT_EQ(line.Text(), "erché guard");
}

TEST_F(CommandLineTest, EditingKeysAtTheEdgesChangeNothing) {
  line.DeleteBefore();
  line.DeleteUnder();
  line.MoveLeft();
  EXPECT_EQ(line.Cursor(), 0U);
  Type(U"ab");
  line.MoveRight();
  line.DeleteUnder();
  EXPECT_EQ(line.Text(), "ab");
  line.MoveHome();
  line.DeleteBefore();
  EXPECT_EQ(line.Text(), "ab");
}

TEST_F(CommandLineTest, TextSetByTheGameTakesTheCursorToItsEnd) {
  Type(U"xyz");
  line.MoveHome();
  line.SetText("(premi INVIO)");
  EXPECT_EQ(line.Cursor(), 13U);
  line.SetText("");
  EXPECT_TRUE(line.Empty());
  EXPECT_EQ(line.Cursor(), 0U);
}

TEST_F(CommandLineTest, ControlCharactersAreNotTyped) {
  Type(U"a\tb\x1B[2Jc\u0085");
  EXPECT_EQ(line.Text(), "ab[2Jc");
}

TEST_F(CommandLineTest, ALongLineScrollsOnlyAsFarAsTheCursorNeeds) {
  Type(U"prendi la torcia");
  // Ten columns: nine characters before the cursor and the cursor's own column.
  EXPECT_EQ(Shown(10), U"la torcia");
  EXPECT_EQ(line.Visible(10).cursorColumn, 9);
  // Moving back inside the field leaves it where it is.
  for (int i = 0; i < 5; ++i) line.MoveLeft();
  EXPECT_EQ(Shown(10), U"la torcia");
  EXPECT_EQ(line.Visible(10).cursorColumn, 4);
  // Past its left edge, it follows the cursor.
  line.MoveHome();
  EXPECT_EQ(Shown(10).substr(0, 6), U"prendi");
  EXPECT_EQ(line.Visible(10).cursorColumn, 0);
  // Shortened, the whole line shows again from its start.
  line.SetText("pr");
  EXPECT_EQ(Shown(10), U"pr");
  EXPECT_EQ(line.Visible(10).cursorColumn, 2);
}

TEST_F(CommandLineTest, WideCharactersCountTwoColumns) {
  Type(U"月月月");
  EXPECT_EQ(line.Visible(20).cursorColumn, 6);
  EXPECT_EQ(Shown(5), U"月月");
}

}  // namespace
}  // namespace vortila
