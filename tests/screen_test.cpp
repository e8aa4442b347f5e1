#include "screen/screen.h"

#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace vortila {
namespace {

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() { screen.LineComplete = true; }

  const std::string& Row(int row) const { return screen.Textlines[row]; }

  testing::TempFolder folder;
  testing::RecordingWindow window;
  Screen screen{window, folder.path()};
};

TEST_F(ScreenTest, AnEchoedCommandScrollsAnEmptyLineAndThenTheCommand) {
  PrintText(screen, "^ > PRENDI LA TORCIA");
  EXPECT_EQ(Row(23), "");
  EXPECT_EQ(Row(24), " > PRENDI LA TORCIA");
  EXPECT_EQ(screen.LinesShown, 2);
  EXPECT_EQ(window.rows, screen.Textlines.InOrder());
}

TEST_F(ScreenTest, ALineIsCutAtTheFirstBlankAfterItsSixtyFourthCharacter) {
  const std::string first(64, 'a');
  PrintText(screen, first + " bb cc");
  EXPECT_EQ(Row(23), first);
  EXPECT_EQ(Row(24), "bb cc");

  // A blank as the 64th character does not cut: the line runs to the next blank.
  const std::string sixtyThree(63, 'x');
  PrintText(screen, sixtyThree + " yy zz");
  EXPECT_EQ(Row(23), sixtyThree + " yy");
  EXPECT_EQ(Row(24), "zz");
}

TEST_F(ScreenTest, AWordLongerThanALineIsNotBroken) {
  const std::string word(70, 'w');
  PrintText(screen, word);
  EXPECT_EQ(Row(24), word);
  EXPECT_EQ(screen.LinesShown, 1);
}

TEST_F(ScreenTest, TheWrapCountsCharactersNotBytes) {
  std::string accented;
  for (int i = 0; i < 64; ++i) accented += "è";
  PrintText(screen, accented + " più");
  EXPECT_EQ(Row(23), accented);
  EXPECT_EQ(Row(24), "più");
}

TEST_F(ScreenTest, BreakMarksEndLinesAndATrailingOneLeavesAnEmptyLine) {
  PrintText(screen, "abc^");
  EXPECT_EQ(Row(23), "abc");
  EXPECT_EQ(Row(24), "");
  EXPECT_EQ(screen.LinesShown, 2);
  PrintText(screen, "uno\rdue");
  EXPECT_EQ(Row(23), "uno");
  EXPECT_EQ(Row(24), "due");
  PrintText(screen, "");
  EXPECT_EQ(Row(24), "");
}

// Plain bytes are passed in runs, eight at a time: a break mark or an accented letter is
// found wherever it falls among them.
TEST_F(ScreenTest, ABreakMarkOrAnAccentedLetterIsFoundWhereverItFalls) {
  const std::string text = "apri lo sportello con la chiave dorata";
  for (std::size_t at = 0; at <= text.size(); ++at) {
    screen.LinesShown = 0;
    PrintText(screen, text.substr(0, at) + "^" + text.substr(at));
    EXPECT_EQ(Row(23), text.substr(0, at)) << at;
    EXPECT_EQ(Row(24), text.substr(at)) << at;
    PrintText(screen, text.substr(0, at) + "è" + text.substr(at));
    EXPECT_EQ(Row(24), text.substr(0, at) + "è" + text.substr(at)) << at;
  }
}

TEST_F(ScreenTest, AnOpenLineIsContinuedAndCountedOnce) {
  PrintOpen(screen, "E' già acces");
  PrintText(screen, "a.");
  EXPECT_EQ(Row(24), "E' già accesa.");
  EXPECT_EQ(Row(23), "");
  EXPECT_EQ(screen.LinesShown, 1);
}

TEST_F(ScreenTest, AFullPageHoldsTheRestBehindThePrompt) {
  screen.LinesShown = 22;
  PrintText(screen, "uno^due^tre");
  EXPECT_EQ(Row(24), "uno");
  EXPECT_EQ(window.commandBox, kPagePrompt);
  EXPECT_EQ(screen.HeldText.Text(), "due^ tre ");

  // Shown again on a fresh page, the held text breaks where it did before.
  screen.LinesShown = 0;
  PrintHeldText(screen);
  EXPECT_EQ(Row(23), "due");
  EXPECT_EQ(Row(24), " tre ");
  EXPECT_TRUE(screen.HeldText.empty());
}

TEST_F(ScreenTest, HeldWrappedLinesAreJoinedAgainAndRewrapped) {
  screen.LinesShown = 23;
  const std::string words = std::string(60, 'a') + " bbbb cccc dddd";
  PrintText(screen, words);
  EXPECT_EQ(screen.HeldText.Text(), std::string(60, 'a') + " bbbb cccc dddd ");
  screen.LinesShown = 0;
  PrintHeldText(screen);
  EXPECT_EQ(Row(23), std::string(60, 'a') + " bbbb");
  EXPECT_EQ(Row(24), "cccc dddd ");
}

// Each time the rest of a reply is held again, its lines after a break begin with one more
// blank: the last page of sixty lines shows them indented twice.
TEST_F(ScreenTest, TextHeldAgainGainsABlankAfterEachBreak) {
  std::string text = "riga1";
  for (int line = 2; line <= 60; ++line) text += "^riga" + std::to_string(line);
  PrintText(screen, text);
  const auto turnPage = [&] {
    EXPECT_EQ(window.commandBox, kPagePrompt);
    screen.LinesShown = 0;
    PrintHeldText(screen);
  };
  turnPage();
  EXPECT_EQ(Row(kBottomRow - 22), "riga24");
  EXPECT_EQ(Row(kBottomRow - 21), " riga25");
  turnPage();
  EXPECT_EQ(Row(kBottomRow - 13), " riga47");
  EXPECT_EQ(Row(kBottomRow - 12), "  riga48");
  EXPECT_EQ(Row(kBottomRow), "  riga60  ");
  EXPECT_TRUE(screen.HeldText.empty());
  // Sixty lines have gone round the screen's rows more than twice; the window still shows
  // them in the screen's order.
  EXPECT_EQ(window.rows, screen.Textlines.InOrder());
}

TEST_F(ScreenTest, TheTranscriptGetsEachLineWhenItScrollsUp) {
  ToggleTranscript(screen);
  PrintText(screen, "uno^due^tre");
  EXPECT_EQ(folder.Read("Debug.txt"), "Ok - inzio nuova stampa su Debug.txt\r\nuno\r\ndue\r\n");
  ToggleTranscript(screen);
  EXPECT_EQ(Row(24), "Ok - FINE STAMPA");
  EXPECT_EQ(folder.Read("Debug.txt"),
            "Ok - inzio nuova stampa su Debug.txt\r\nuno\r\ndue\r\ntre\r\n------ FINE ------\r\n");
}

TEST_F(ScreenTest, ATranscriptThatCannotBeCreatedIsReportedAndStaysOff) {
  std::filesystem::create_directory(folder.path() / "Debug.txt");
  ToggleTranscript(screen);
  EXPECT_FALSE(screen.TranscriptOn);
  EXPECT_EQ(Row(24), "Non riesco a creare il file Debug.txt: la stampa non è iniziata.");
  PrintText(screen, "ancora");
  EXPECT_EQ(Row(24), "ancora");
}

}  // namespace
}  // namespace vortila
