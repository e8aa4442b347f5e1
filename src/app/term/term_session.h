#pragma once

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/game.h"
#include "app/term/command_line.h"
#include "screen/screen.h"
#include "screen/window.h"

// The game in a terminal, apart from the terminal itself: what the screen shows and what
// each key does. The terminal (TermScreen) reads keys into TermKeys and draws this.
namespace vortila {

// The lines that have left the top of the game's screen and can still be read back; the
// oldest go beyond this.
inline constexpr std::size_t kScrollbackLines = 10000;
// Lines that one turn of the mouse wheel scrolls.
inline constexpr int kWheelLines = 3;

// A key as the terminal reports it, before the game or the command line sees it.
struct TermKey {
  enum Kind {
    kCharacter,  // a typed character, in `character`
    kEnter,
    kUp,
    kDown,
    kLeft,
    kRight,
    kHome,
    kEnd,
    kBackspace,
    kDelete,
    kLineStart,   // Ctrl-A: the cursor to the start
    kLineEnd,     // Ctrl-E: the cursor to the end, without the game's End
    kClearLine,   // Ctrl-U
    kInterrupt,   // Ctrl-C: closes the game
    kEndOfInput,  // Ctrl-D: closes the game on an empty line, deletes otherwise
    kUndo,        // Ctrl-Z: takes back the last turn, at any moment
    kPageUp,      // reading back through the session, a page or a turn of the mouse wheel
    kPageDown,
    kWheelUp,
    kWheelDown,
    kOther,       // any other key (function keys, Escape, ...)
    kResize,      // not keys: the terminal changed size, or Ctrl-L asked for a repaint
    kRepaint,
  };
  Kind kind = kOther;
  char32_t character = 0;
};

class TermSession final : public Window {
 public:
  explicit TermSession(GameFolders folders);

  // Starts the game; nothing is drawn yet, so a failure leaves the terminal untouched.
  // Throws StartupError.
  void Start();
  // One key: the game's key handlers first, as the window's key events reach them, then the
  // command line's own editing.
  void HandleKey(const TermKey& key);
  // Closing the window: a game in play is kept in ripresa.sav, the settings are saved and
  // the program ends.
  void Close();

  bool Ended() const { return ended_; }
  // Empty, or what went wrong as the program ended.
  const std::string& Problem() const { return problem_; }

  const std::array<std::string, kScreenRows>& Rows() const { return rows_; }
  // The text shown at game-screen row `row` (0..24): the row itself, or while the player
  // reads back, the line that many lines earlier in the session.
  std::string_view ShownRow(int row) const;
  // How many lines the view is moved back from the newest; 0 at the bottom.
  int ScrolledBack() const { return scrolledBack_; }
  std::size_t ScrollbackSize() const { return scrollback_.size(); }
  // How many rows the terminal shows, so that a page of reading back is a page of them.
  void SetVisibleRows(int rows) { visibleRows_ = std::clamp(rows, 1, kScreenRows); }
  const std::vector<std::string>& InventoryLines() const { return inventory_; }
  // The picture file shown, relative to the data folder; empty before the first.
  const std::filesystem::path& Picture() const { return picture_; }
  const std::filesystem::path& DataFolder() const { return game_.folders.data; }
  CommandLine& Line() { return line_; }
  const Game& game() const { return game_; }
  // The game itself, for a harness that sets up a situation before it plays on.
  Game& game() { return game_; }

  void ScrollTextlines() override;
  void SetTextline(int row, std::string_view text) override;
  std::string TextInput() const override { return line_.Text(); }
  void SetTextInput(std::string_view text) override { line_.SetText(text); }
  void SetInventarietto(std::string_view text) override;
  void ShowImmagine(std::string_view fileName, std::string_view) override { picture_ = fileName; }
  void ShowOutput() override {}
  WindowSettings CurrentSettings() const override { return settings_; }
  void ApplySettings(WindowSettings settings) override { settings_ = settings; }
  void EndProgram(std::string_view problem) override;

 private:
  void Edit(const TermKey& key);
  // Moves the view `lines` further back (forward when negative), within the session.
  void ScrollBack(int lines);

  std::array<std::string, kScreenRows> rows_;
  std::deque<std::string> scrollback_;
  int scrolledBack_ = 0;
  int visibleRows_ = kScreenRows;
  CommandLine line_;
  std::vector<std::string> inventory_;
  std::filesystem::path picture_;
  // A terminal has no window geometry: the values of iniziale.ini are kept and written back.
  WindowSettings settings_{kDefaultWindowSettings};
  bool ended_ = false;
  std::string problem_;
  Game game_;
};

}  // namespace vortila
