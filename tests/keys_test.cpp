#include <gtest/gtest.h>

#include <algorithm>

#include "game_fixture.h"

namespace vortila {
namespace {

using testing::GameTest;

class HistoryTest : public GameTest {
 protected:
  void SetUp() override {
    StartAndPlay();
    Type("uno");
    Type("due");
    Type("tre");
  }
};

TEST_F(HistoryTest, UpGoesBackInTimeAndStopsAtTheOldest) {
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "tre");
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "due");
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "uno");
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "uno");
  KeyDown(game, kDownKey);
  EXPECT_EQ(window.commandBox, "uno");
  KeyDown(game, kDownKey);
  EXPECT_EQ(window.commandBox, "due");
}

TEST_F(HistoryTest, TypingStartsAgainFromTheNewestButEndDoesNot) {
  KeyDown(game, kUpKey);
  KeyDown(game, kUpKey);
  KeyDown(game, kEndKey);
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "uno");
  KeyDown(game, 'A');
  KeyDown(game, kUpKey);
  EXPECT_EQ(window.commandBox, "tre");
}

TEST_F(HistoryTest, KeepsTheLastHundredCommands) {
  for (int i = 1; i <= 120; ++i) Type("comando " + std::to_string(i));
  EXPECT_EQ(game.CommandHistory[1], "comando 120");
  EXPECT_EQ(game.CommandHistory[2], "comando 119");
  EXPECT_EQ(game.CommandHistory[100], "comando 21");
}

TEST_F(GameTest, ACommandIsEchoedInCapitalsAndRememberedInSmallLetters) {
  StartAndPlay();
  Type("  Prendi la TORCIA  ");
  const auto rows = game.screen.Textlines.InOrder();
  const auto echo = std::find(rows.begin(), rows.end(), " >   PRENDI LA TORCIA  ");
  ASSERT_NE(echo, rows.end());
  EXPECT_EQ(*(echo - 1), "");
  EXPECT_EQ(game.CommandHistory[1], "  prendi la torcia  ");
  // What the parser reads: lower-cased, trimmed, and the article gone.
  EXPECT_EQ(game.world.InputLine, "prendi torcia");
  EXPECT_EQ(window.commandBox, "");
  EXPECT_EQ(game.screen.LinesShown, 0);
}

// The echo of a short command after a long one keeps nothing of the long one, on the
// screen or in what going back says it undid.
TEST_F(GameTest, EachEchoIsOfItsOwnCommandOnly) {
  StartAndPlay();
  Type("esamina la parete della stanza buia con molta attenzione");
  Type("guarda");
  auto rows = game.screen.Textlines.InOrder();
  EXPECT_NE(std::find(rows.begin(), rows.end(), " > GUARDA"), rows.end());
  Type("annulla");
  rows = game.screen.Textlines.InOrder();
  EXPECT_NE(std::find(rows.begin(), rows.end(), "Ho annullato il comando «GUARDA»."), rows.end());
}

TEST_F(GameTest, AnEmptyBoxIgnoresEnterAndOtherCharactersDoNothing) {
  StartAndPlay();
  const auto before = game.screen.Textlines.InOrder();
  Type("");
  window.commandBox = "x";
  KeyPress(game, 'x');
  EXPECT_EQ(game.screen.Textlines.InOrder(), before);
  EXPECT_EQ(window.commandBox, "x");
}

TEST_F(GameTest, StrangeCommandLinesAreEchoedWhole) {
  StartAndPlay();
  Type("apri\xFF\tlo\x1B sportello");
  const auto rows = game.screen.Textlines.InOrder();
  EXPECT_NE(std::find(rows.begin(), rows.end(), " > APRI\uFFFD LO  SPORTELLO"), rows.end());
  EXPECT_EQ(game.CommandHistory[1], "apri\uFFFD lo  sportello");

  // A megabyte of words fills the first page and holds the rest; the history keeps it all.
  std::string huge;
  for (int i = 0; i < 60000; ++i) huge += "prendi la torcia ";
  Type(huge);
  EXPECT_EQ(window.commandBox, kPagePrompt);
  EXPECT_EQ(game.CommandHistory[1], huge);
  EXPECT_EQ(game.screen.Textlines[24].rfind("PRENDI LA TORCIA", 0), 0u);
}

TEST_F(GameTest, ALongReplyIsReadPageByPage) {
  StartAndPlay();
  std::string words;
  for (int i = 0; i < 400; ++i) words += "avanti ";
  Type(words);
  int pages = 0;
  while (window.commandBox == kPagePrompt) {
    PressEnter();
    ++pages;
  }
  EXPECT_EQ(pages, 1);
  EXPECT_TRUE(game.screen.HeldText.empty());
  EXPECT_EQ(window.commandBox, "");
}

// The pages and pictures of the introduction are followed in tests/transcripts.
TEST_F(GameTest, TheLastPageOfTheIntroductionHandsTheInventoryToTheGame) {
  StartGame(game);
  window.inventory = "";
  PageThroughIntroduction();
  EXPECT_EQ(game.world.StoryClock, 6);
  EXPECT_NE(window.inventory.find("> la torcia"), std::string::npos);
}

TEST_F(GameTest, TheFinalPageAfterTheVictoryShowsTheLastPicture) {
  StartAndPlay();
  game.world.StoryClock = 2001;
  game.screen.LinesShown = 23;
  PrintText(game.screen, "uno^due");
  PressEnter();
  EXPECT_EQ(window.pictures.back(), "017.pkd");
  EXPECT_EQ(game.world.StoryClock, 2002);
  // Pages turned later in the game leave the picture and the clock alone.
  game.world.StoryClock = 40;
  game.screen.LinesShown = 23;
  PrintText(game.screen, "uno^due");
  PressEnter();
  EXPECT_EQ(window.pictures.back(), "017.pkd");
  EXPECT_EQ(game.world.StoryClock, 40);
}

class AfterEndingTest : public GameTest {
 protected:
  void SetUp() override {
    StartAndPlay();
    game.world.GameOverState = 5;
  }
};

TEST_F(AfterEndingTest, FinireInAnyCaseEndsWithoutSavingTheSettings) {
  const std::string settings = folder.Read("iniziale.ini");
  window.settings = {640, 480};
  Type("FiNiRe");
  EXPECT_TRUE(window.ended);
  EXPECT_EQ(window.problem, "");
  EXPECT_EQ(folder.Read("iniziale.ini"), settings);
  // Nothing reaches the game after its end.
  Type("ricominciare");
  EXPECT_EQ(game.world.GameOverState, 5);
}

TEST_F(AfterEndingTest, RicominciareStartsANewGameThatTheFirstPageResumes) {
  game.world.StoryClock = 55;
  game.world.objects.ObjectLocation.Change(FindObjectSlot(game.world.objects, "torcia")) = "n";
  Type("ricominciare");
  EXPECT_EQ(game.world.StoryClock, 0);
  EXPECT_EQ(game.world.objects.ObjectLocation[FindObjectSlot(game.world.objects, "torcia")],
            "stesso");
  EXPECT_EQ(window.commandBox, kPagePrompt);
  EXPECT_EQ(game.world.GameOverState, 5);
  PressEnter();
  EXPECT_EQ(window.pictures.back(), "002.pkd");
  EXPECT_EQ(game.world.GameOverState, 0);
  PageThroughIntroduction();
  EXPECT_EQ(game.world.StoryClock, 6);
  // The history survives the restart.
  EXPECT_EQ(game.CommandHistory[1], "ricominciare");
}

}  // namespace
}  // namespace vortila
