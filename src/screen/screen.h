#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "screen/window.h"

// The 25-line text screen. It scrolls upward like a teletype: the newest line is always the
// bottom one. Text is wrapped at 64 characters and broken at "^" marks; once a page is
// full, the rest is held back until the player presses Enter. The rows are kept here as
// data, with the picture and the inventory label the window shows beside them, and every
// change is passed on to the window.
namespace vortila {

inline constexpr int kScreenRows = 25;
inline constexpr int kBottomRow = kScreenRows - 1;
// A line pushed when LinesShown, already counting it, reaches this is held, not shown.
inline constexpr int kPageSize = 24;
inline constexpr std::size_t kWrapWidth = 64;
inline constexpr std::string_view kPagePrompt = "(premi INVIO)";
inline constexpr std::string_view kTranscriptFileName = "Debug.txt";

// A picture's file name ("009.pkd") and the short description of what it shows.
using PictureDescriptions = std::map<std::string, std::string, std::less<>>;

// The rest of a text that a full page held back, as the player will read it when he turns
// the page. Held lines keep their break marks, wrapped lines get back the blank they were
// cut at, and each print held is followed by one blank, so that printing the held text
// again re-wraps it from the top of a fresh page. Held again, the rest of it gains one more
// blank after each break mark and one at its end. The text is kept as it was printed and
// those blanks are counted rather than written, so that a page turn costs what it shows,
// not what is still held.
class HeldRest {
 public:
  bool empty() const { return pieces_.empty(); }
  void clear() { pieces_.clear(); }
  // Holds what a print could not show, from the start of its first held line.
  void Hold(std::string_view rest);
  // The held text whole, as it will be printed.
  std::string Text() const;

 private:
  friend class HeldReader;
  // A stretch of held text: `leadingBlanks` blanks, then `text` from `start`, with
  // `markBlanks` blanks after each break mark.
  struct Piece {
    std::string text;
    std::size_t start = 0;
    std::size_t leadingBlanks = 0;
    std::size_t markBlanks = 0;
  };
  std::vector<Piece> pieces_;
};

// The 25 rows, row 0 at the top. They are kept as a ring: a scroll moves where the top row
// is kept rather than the text of every row, and the row that leaves at the top lends its
// storage to the new bottom row.
class ScreenRows {
 public:
  const std::string& operator[](int row) const { return rows_[Place(row)]; }
  std::string& operator[](int row) { return rows_[Place(row)]; }
  // Moves every row up by one; the new bottom row still holds what the top row held.
  void ScrollUp() { top_ = Place(1); }
  // The rows from the top one to the bottom one.
  std::array<std::string, kScreenRows> InOrder() const;

 private:
  std::size_t Place(int row) const {
    return (top_ + static_cast<std::size_t>(row)) % kScreenRows;
  }

  std::array<std::string, kScreenRows> rows_;
  std::size_t top_ = 0;
};

struct Screen {
  Screen(Window& window, std::filesystem::path folder)
      : window(window), folder(std::move(folder)) {}

  Window& window;
  // Where Debug.txt is written: the player's folder.
  std::filesystem::path folder;

  ScreenRows Textlines;
  // Lines pushed since the last command. Past a full page only the first held line and
  // whether another follows are counted: every count from there up means the same, a page
  // held, and an open print that takes one back still finds the page full.
  int LinesShown = 0;
  HeldRest HeldText;
  // False only between an open print and the next line pushed: the bottom line is then
  // continued, not scrolled.
  bool LineComplete = false;
  bool TranscriptOn = false;
  // Debug.txt while the transcript is on. A C file rather than a stream, whose setting up
  // would cost every game its start whether it ever writes a transcript or not.
  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, CloseFile> transcript;

  // What the picture pane and the inventory label show, so that a rewound turn can show
  // again what was shown before it.
  std::string Picture;
  std::string Inventory;
  // The state of the objects the label was last made from (ObjectTable::PlayVersion), or none
  // when it was last set otherwise: a label made from the objects as they still are is kept.
  std::optional<std::uint64_t> InventoryMadeFrom;
  PictureDescriptions descriptions;

  // The line a print is breaking off its text, kept from one print to the next so that its
  // storage is made once rather than for every print.
  std::string lineBeingBroken;
};

// Prints `text` with wrapping and paging; "^" and a carriage return break the line.
// `text` must not view the screen's own rows or the line it is breaking, which printing
// changes.
void PrintText(Screen& screen, std::string_view text);
// Prints the held text on a fresh page, as printing it again would: what still does not fit
// is held again.
void PrintHeldText(Screen& screen);
// Prints `text` and leaves its last line open, so that the next print continues it and the
// screen line is counted once.
void PrintOpen(Screen& screen, std::string_view text);
// Puts one finished line at the bottom of the screen; the page has room for it. Lines past
// a full page are held by the print that makes them. The line's text is moved into the row,
// and `line` is left with the storage of the row's old text, to be cleared and used again.
void PushLine(Screen& screen, std::string& line);
// Starts or stops copying the lines that scroll up into Debug.txt.
void ToggleTranscript(Screen& screen);

// Whether text waits for the next page: then Enter on a command box that holds anything
// turns the page, whatever the player has typed over the page prompt.
bool PageHeld(const Screen& screen);
// Drops the text held for the next page, when what it belongs to is gone (a step undone,
// another game loaded): nothing is held any more and the command box loses its page prompt.
void DropHeldPage(Screen& screen);

// Shows the picture file `fileName` in the picture pane, with its description when it has one.
void ShowPicture(Screen& screen, std::string_view fileName);
// Sets the inventory label: one carried object per line, each ended by a carriage return.
void SetInventoryLabel(Screen& screen, std::string text);

// Reads the descriptions file: one picture a line, its file name, blanks, then the
// description; empty lines and lines that begin with "#" are left out. A line without a
// description describes nothing.
PictureDescriptions ReadPictureDescriptions(std::string_view text);

}  // namespace vortila
