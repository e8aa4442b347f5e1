#include "app/term/term_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "app/keys.h"
#include "screen/screen.h"
#include "test_support.h"

namespace vortila {
namespace {

class TermSessionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { std::setlocale(LC_ALL, "C.UTF-8"); }
  TermSessionTest() { folder.WithGameData(); }

  void Press(TermKey::Kind kind) { session.HandleKey({kind}); }
  void Type(std::u32string_view text) {
    for (const char32_t c : text) session.HandleKey({TermKey::kCharacter, c});
  }
  void Command(std::u32string_view text) {
    Type(text);
    Press(TermKey::kEnter);
  }
  void StartAndPlay() {
    session.Start();
    while (session.TextInput() == kPagePrompt) Press(TermKey::kEnter);
  }

  testing::TempFolder folder;
  TermSession session{folder.path()};
};

TEST_F(TermSessionTest, EnterPagesThroughTheIntroductionAndTheInventoryFollows) {
  session.Start();
  EXPECT_EQ(session.TextInput(), kPagePrompt);
  EXPECT_EQ(session.Picture(), "001.pkd");
  Press(TermKey::kEnter);
  EXPECT_EQ(session.Picture(), "002.pkd");
  while (session.TextInput() == kPagePrompt) Press(TermKey::kEnter);
  EXPECT_EQ(session.Picture(), "007.pkd");
  EXPECT_EQ(session.InventoryLines(),
            (std::vector<std::string>{"> la tuta spaziale*", "> il casco*", "> la torcia",
                                      "> la cassetta degli attrezzi", "> il gancio"}));
  // The terminal's rows are the game's screen, row for row.
  EXPECT_EQ(session.Rows(), session.game().screen.Textlines.InOrder());
}

TEST_F(TermSessionTest, ATypedAndEditedCommandIsWhatTheGameReads) {
  StartAndPlay();
  Type(U"prndi la trcia");
  for (int i = 0; i < 4; ++i) Press(TermKey::kLeft);
  Type(U"o");
  Press(TermKey::kHome);
  for (int i = 0; i < 2; ++i) Press(TermKey::kRight);
  Type(U"e");
  Press(TermKey::kEnter);
  EXPECT_EQ(session.Rows()[23], " > PRENDI LA TORCIA");
  EXPECT_EQ(session.Rows()[24], "Non vedi che hai già la torcia?");
  Command(U"perché");
  // The parser's answer, if any, follows the echo.
  const auto& rows = session.Rows();
  EXPECT_NE(std::find(rows.begin(), rows.end(), " > PERCHÉ"), rows.end());
  EXPECT_EQ(session.Rows(), session.game().screen.Textlines.InOrder());
  EXPECT_TRUE(session.Line().Empty());
}

TEST_F(TermSessionTest, OnlyTheArrowKeysBrowseTheHistoryAndEndKeepsTheBrowse) {
  StartAndPlay();
  Command(U"uno");
  Command(U"due");
  // Characters whose codes are those of Up, Down and End are typed, nothing more.
  Type(U"&(#");
  EXPECT_EQ(session.TextInput(), "&(#");
  Press(TermKey::kClearLine);
  Press(TermKey::kUp);
  Press(TermKey::kUp);
  EXPECT_EQ(session.TextInput(), "uno");
  // End is the game's key, which does not start the browse again...
  Press(TermKey::kEnd);
  Press(TermKey::kDown);
  Press(TermKey::kDown);
  EXPECT_EQ(session.TextInput(), "due");
  // ...and the cursor's, as in the window's command box.
  Press(TermKey::kHome);
  Press(TermKey::kEnd);
  EXPECT_EQ(session.Line().Cursor(), 3U);
  // Any other key starts again from the newest command.
  Press(TermKey::kUp);
  Press(TermKey::kUp);
  Press(TermKey::kLeft);
  Press(TermKey::kUp);
  EXPECT_EQ(session.TextInput(), "due");
}

TEST_F(TermSessionTest, CtrlCClosesTheGameAndWritesBackTheSettingsAsRead) {
  folder.Write("iniziale.ini", "812.5\n600\n");
  session.Start();
  const std::string box = session.TextInput();
  Press(TermKey::kInterrupt);
  EXPECT_TRUE(session.Ended());
  EXPECT_EQ(session.Problem(), "");
  EXPECT_EQ(folder.Read("iniziale.ini"), "812.5\r\n600\r\n");
  // Keys after the end reach nothing.
  Type(U"abc");
  Press(TermKey::kEnter);
  EXPECT_EQ(session.TextInput(), box);
}

TEST_F(TermSessionTest, CtrlDDeletesUnderTheCursorAndClosesOnlyAnEmptyLine) {
  StartAndPlay();
  Type(U"ab");
  Press(TermKey::kHome);
  Press(TermKey::kEndOfInput);
  EXPECT_EQ(session.TextInput(), "b");
  EXPECT_FALSE(session.Ended());
  Press(TermKey::kEndOfInput);
  Press(TermKey::kEndOfInput);
  EXPECT_TRUE(session.Ended());
  EXPECT_TRUE(folder.Has("iniziale.ini"));
}

TEST_F(TermSessionTest, PageUpReadsBackThroughTheSessionAndAKeyReturnsToTheGame) {
  StartAndPlay();
  session.SetVisibleRows(25);
  // The banner has long left the screen.
  const auto banner = [&] {
    for (int row = 0; row < kScreenRows; ++row) {
      if (session.ShownRow(row) == "LA VORTILA") return true;
    }
    return false;
  };
  ASSERT_FALSE(banner());
  for (int page = 0; page < 20 && !banner(); ++page) Press(TermKey::kPageUp);
  EXPECT_TRUE(banner());
  // No further than the first line of the session.
  const int furthest = session.ScrolledBack();
  Press(TermKey::kPageUp);
  EXPECT_EQ(session.ScrolledBack(), furthest);
  Press(TermKey::kWheelDown);
  EXPECT_EQ(session.ScrolledBack(), furthest - kWheelLines);
  Press(TermKey::kPageDown);
  EXPECT_EQ(session.ScrolledBack(), furthest - kWheelLines - 24);

  // A typed key goes back to the game, and is typed.
  Type(U"g");
  EXPECT_EQ(session.ScrolledBack(), 0);
  EXPECT_EQ(session.TextInput(), "g");
  EXPECT_EQ(session.ShownRow(24), session.Rows()[24]);
}

TEST_F(TermSessionTest, NewOutputReturnsToTheGameAndTheSessionKeepsItsLastTenThousandLines) {
  StartAndPlay();
  Press(TermKey::kPageUp);
  ASSERT_GT(session.ScrolledBack(), 0);
  session.game().screen.LinesShown = 0;
  PrintText(session.game().screen, "Una riga nuova.");
  EXPECT_EQ(session.ScrolledBack(), 0);
  for (std::size_t line = 0; line < kScrollbackLines + 100; ++line) {
    session.game().screen.LinesShown = 0;
    PrintText(session.game().screen, "riga " + std::to_string(line));
  }
  EXPECT_EQ(session.ScrollbackSize(), kScrollbackLines);
  for (int page = 0; page < 1000; ++page) Press(TermKey::kPageUp);
  EXPECT_EQ(session.ShownRow(0), "riga 75");
}

TEST_F(TermSessionTest, CtrlZTakesBackTheLastTurnAtAnyMoment) {
  StartAndPlay();
  Command(U"posa il gancio");
  Press(TermKey::kUndo);
  EXPECT_EQ(session.Rows()[24], "Ho annullato il comando «POSA IL GANCIO».");
  EXPECT_EQ(session.InventoryLines().back(), "> il gancio");

  // After a death the typed answers stay as they are; Ctrl+Z goes back before it.
  Command(U"togliti il casco");
  EXPECT_EQ(session.Picture(), "016.pkd");
  Type(U"ciao");
  Press(TermKey::kUndo);
  EXPECT_EQ(session.Rows()[24], "Ho annullato il comando «TOGLITI IL CASCO».");
  EXPECT_EQ(session.Picture(), "007.pkd");
  EXPECT_EQ(session.game().world.GameOverState, 0);
  EXPECT_EQ(session.TextInput(), "ciao");
}

TEST_F(TermSessionTest, SpaceTurnsAHeldPageAndIsTypedOtherwise) {
  session.Start();
  ASSERT_EQ(session.TextInput(), kPagePrompt);
  Type(U" ");
  EXPECT_EQ(session.Picture(), "002.pkd");
  while (session.TextInput() == kPagePrompt) Type(U" ");
  EXPECT_EQ(session.Picture(), "007.pkd");
  Type(U"a b");
  EXPECT_EQ(session.TextInput(), "a b");
}

}  // namespace
}  // namespace vortila
