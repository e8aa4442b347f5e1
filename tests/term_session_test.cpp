#include "app/term/term_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "app/keys.h"
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
  EXPECT_EQ(session.Rows(), session.game().screen.Textlines);
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
  EXPECT_EQ(session.Rows(), session.game().screen.Textlines);
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

}  // namespace
}  // namespace vortila
