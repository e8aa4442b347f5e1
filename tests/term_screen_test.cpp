#include "app/term/term_screen.h"

#include <curses.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/term/cells.h"
#include "png_writer.h"
#include "test_support.h"

// The terminal front end drawn onto an ncurses screen that writes to a file; what it drew is
// read back cell by cell.
namespace vortila {
namespace {

struct Cell {
  wchar_t symbol;
  attr_t attributes;
  int pair;
};

class TermScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { std::setlocale(LC_ALL, "C.UTF-8"); }
  TermScreenTest() { folder.WithGameData(); }
  ~TermScreenTest() override {
    screen.reset();
    std::fclose(in);
    std::fclose(out);
  }

  void Open(const char* terminalType, int lines, int columns) {
    screen = std::make_unique<TermScreen>(in, out, terminalType);
    resizeterm(lines, columns);
  }
  // Speckles of every colour, so that the picture takes many colour pairs.
  void WritePicture(std::string_view name = "001.pkd") {
    testing::WritePng(folder.path() / name, 40, 40, [](int x, int y) {
      const unsigned speckle = static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761U;
      return testing::Rgb{static_cast<std::uint8_t>(speckle >> 24),
                          static_cast<std::uint8_t>(speckle >> 16),
                          static_cast<std::uint8_t>(speckle >> 8)};
    });
  }

  // What ncurses has sent to the terminal so far.
  long BytesSent() const {
    struct stat file {};
    fstat(fileno(out), &file);
    return static_cast<long>(file.st_size);
  }

  static Cell At(int line, int column) {
    cchar_t shown;
    mvwin_wch(stdscr, line, column, &shown);
    Cell cell{};
    wchar_t symbols[CCHARW_MAX + 1];
    short shortPair = 0;
    getcchar(&shown, symbols, &cell.attributes, &shortPair, &cell.pair);
    cell.symbol = symbols[0];
    return cell;
  }
  // A row of the game as the text pane shows it.
  static std::wstring Shown(const std::string& row) {
    const std::wstring text = FitToColumns(DecodeUtf8(row), kTermTextColumns);
    return text.substr(0, text.find_last_not_of(L' ') + 1);
  }
  static std::wstring Line(int line, int column = 0, int columns = -1) {
    std::wstring text;
    if (columns < 0) columns = COLS - column;
    for (int x = column; x < column + columns; ++x) text += At(line, x).symbol;
    return text.substr(0, text.find_last_not_of(L' ') + 1);
  }
  // Cells in the given columns that carry a colour pair.
  static int ColouredCells(int fromColumn) {
    int coloured = 0;
    for (int y = 0; y < LINES; ++y) {
      for (int x = fromColumn; x < COLS; ++x) coloured += At(y, x).pair != 0;
    }
    return coloured;
  }

  testing::TempFolder folder;
  TermSession session{folder.path()};
  std::FILE* in = std::fopen("/dev/null", "r");
  std::FILE* out = std::tmpfile();
  std::unique_ptr<TermScreen> screen;
};

TEST_F(TermScreenTest, AWideTerminalShowsTextCommandLinePictureAndInventory) {
  WritePicture("007.pkd");
  session.Start();
  while (session.TextInput() == kPagePrompt) session.HandleKey({TermKey::kEnter});
  Open("xterm-256color", 30, 120);
  screen->Draw(session);

  EXPECT_EQ(getcury(stdscr), 25);
  EXPECT_EQ(getcurx(stdscr), 3);
  EXPECT_EQ(screen->Depth(), ColourDepth::k256);
  for (int row : {2, 20, 24}) {
    EXPECT_EQ(Line(row, 0, kTermTextColumns), Shown(session.Rows()[row]));
  }
  EXPECT_EQ(Line(25, 0, kTermTextColumns), L" > Inserire qui i comandi");
  // The box sits at the foot of the side column, the picture fills the rest above it.
  const int boxTop = 25 - static_cast<int>(session.InventoryLines().size()) - 1;
  EXPECT_EQ(Line(boxTop, kTermTextColumns + 1).substr(0, 15), L"┌─ Inventario ─");
  EXPECT_EQ(Line(boxTop + 1, kTermTextColumns + 1).substr(0, 21), L"│ > la tuta spaziale*");
  EXPECT_EQ(Line(25, kTermTextColumns + 1).substr(0, 2), L"└─");
  EXPECT_GT(ColouredCells(kTermTextColumns + 1), 100);
  // The oldest two rows fade.
  EXPECT_NE(At(0, 0).pair, 0);
  EXPECT_TRUE(At(1, 0).attributes & A_DIM);
  EXPECT_FALSE(At(2, 0).attributes & A_DIM);
}

TEST_F(TermScreenTest, ANarrowTerminalKeepsTheNewestTextAndTheCommandLine) {
  WritePicture();
  session.Start();
  Open("xterm-256color", 24, 80);
  screen->Draw(session);
  EXPECT_EQ(getcurx(stdscr), 3 + 13);
  EXPECT_EQ(Line(23), L" > (premi INVIO)");
  EXPECT_EQ(Line(22), Shown(session.Rows()[24]));
  // No picture, and the faded rows are the ones that did not fit.
  EXPECT_EQ(ColouredCells(0), 0);
}

TEST_F(TermScreenTest, AMonochromeTerminalDrawsThePictureInSymbolsAlone) {
  WritePicture();
  session.Start();
  Open("xterm-mono", 30, 120);
  screen->Draw(session);
  EXPECT_EQ(screen->Depth(), ColourDepth::kNone);
  EXPECT_EQ(ColouredCells(0), 0);
  int drawn = 0;
  for (int y = 0; y < 21; ++y) drawn += Line(y, kTermTextColumns + 1).size();
  EXPECT_GT(drawn, 100);
}

TEST_F(TermScreenTest, ARedrawThatChangesNothingSendsNothingEvenWithFewColourPairs) {
  WritePicture();
  session.Start();
  // Eight colours and 64 pairs: the picture takes more than half of them.
  Open("xterm", 30, 120);
  screen->Draw(session);
  const long first = BytesSent();
  EXPECT_GT(first, 2000);
  screen->Draw(session);
  EXPECT_LT(BytesSent() - first, 20);
  // A letter typed sends little more than the letter.
  session.HandleKey({TermKey::kCharacter, U'x'});
  screen->Draw(session);
  EXPECT_LT(BytesSent() - first, 40);
}

TEST_F(TermScreenTest, AMissingPictureLeavesThePaneEmpty) {
  std::filesystem::remove(folder.path() / "001.pkd");
  session.Start();
  Open("xterm-256color", 30, 120);
  screen->Draw(session);
  for (int y = 0; y < 21; ++y) EXPECT_EQ(Line(y, kTermTextColumns + 1), L"") << y;
}

TEST_F(TermScreenTest, AnInventoryTitleTooLongForTheBoxWrapsUnderItsFirstWord) {
  session.Start();
  while (session.TextInput() == kPagePrompt) session.HandleKey({TermKey::kEnter});
  // 110 columns leave the box 29 wide, 26 for the titles.
  Open("xterm-256color", 30, 110);
  screen->Draw(session);
  const int left = kTermTextColumns + 1;
  const int boxTop = 25 - static_cast<int>(session.InventoryLines().size()) - 2;
  EXPECT_EQ(Line(boxTop, left).substr(0, 15), L"┌─ Inventario ─");
  EXPECT_EQ(Line(boxTop + 4, left), L"│ > la cassetta degli       │");
  EXPECT_EQ(Line(boxTop + 5, left), L"│   attrezzi                │");
  EXPECT_EQ(Line(boxTop + 6, left), L"│ > il gancio               │");
}

TEST_F(TermScreenTest, ReadingBackShowsEarlierLinesUnfadedAndSaysHowToReturn) {
  session.Start();
  while (session.TextInput() == kPagePrompt) session.HandleKey({TermKey::kEnter});
  Open("xterm-256color", 30, 120);
  screen->Draw(session);
  session.HandleKey({TermKey::kPageUp});
  screen->Draw(session);
  EXPECT_EQ(Line(0, 0, kTermTextColumns), Shown(std::string(session.ShownRow(0))));
  EXPECT_EQ(Line(24, 0, kTermTextColumns), Shown(session.Rows()[0]));
  EXPECT_EQ(At(0, 0).pair, 0);
  EXPECT_FALSE(At(1, 0).attributes & A_DIM);
  EXPECT_EQ(Line(25, 0, 12), L"(rilettura:");
  session.HandleKey({TermKey::kPageDown});
  screen->Draw(session);
  EXPECT_EQ(Line(25, 0, kTermTextColumns), L" > Inserire qui i comandi");
}

// The keys a player presses, as the terminal sends them, reach the session as these.
TEST(TermScreenKeys, CtrlZThePageKeysAndTheWheelAreRead) {
  std::setlocale(LC_ALL, "C.UTF-8");
  std::FILE* in = std::tmpfile();
  std::fputs("\x1a\x1b[5~\x1b[6~\x1b[<64;3;3M\x1b[<65;3;3M", in);
  std::rewind(in);
  std::FILE* out = std::tmpfile();
  {
    TermScreen screen(in, out, "xterm-256color");
    for (const TermKey::Kind kind : {TermKey::kUndo, TermKey::kPageUp, TermKey::kPageDown,
                                     TermKey::kWheelUp, TermKey::kWheelDown}) {
      EXPECT_EQ(screen.ReadKey().kind, kind);
    }
  }
  std::fclose(in);
  std::fclose(out);
}

// The terminal's title is the game's, set the way the terminal understands, and an xterm
// gets its own title back at the end.
TEST(TermScreenTitle, TheTerminalIsTitledAfterTheGame) {
  for (const char* type : {"xterm-256color", "tmux-256color"}) {
    std::FILE* in = std::fopen("/dev/null", "r");
    std::FILE* out = std::tmpfile();
    { TermScreen screen(in, out, type); }
    std::rewind(out);
    std::string sent(1 << 16, '\0');
    sent.resize(std::fread(sent.data(), 1, sent.size(), out));
    EXPECT_NE(sent.find("\x1b]0;La Vortila\x07"), std::string::npos) << type;
    EXPECT_EQ(sent.find("\x1b[23;0t") != std::string::npos,
              std::string_view(type) == "xterm-256color") << type;
    std::fclose(in);
    std::fclose(out);
  }
}

}  // namespace
}  // namespace vortila
