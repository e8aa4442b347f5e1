#pragma once

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

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

struct Screen {
  Screen(Window& window, std::filesystem::path folder)
      : window(window), folder(std::move(folder)) {}

  Window& window;
  // Where Debug.txt is written: the player's folder.
  std::filesystem::path folder;

  std::array<std::string, kScreenRows> Textlines;
  int LinesShown = 0;
  std::string HeldText;
  // False only between an open print and the next line pushed: the bottom line is then
  // continued, not scrolled.
  bool LineComplete = false;
  bool TranscriptOn = false;
  std::ofstream transcript;

  // What the picture pane and the inventory label show, so that a rewound turn can show
  // again what was shown before it.
  std::string Picture;
  std::string Inventory;
  PictureDescriptions descriptions;
};

// Prints `text` with wrapping and paging; "^" and a carriage return break the line.
// `text` must not view the screen's own HeldText or rows, which printing changes.
void PrintText(Screen& screen, std::string_view text);
// Prints `text` and leaves its last line open, so that the next print continues it and the
// screen line is counted once.
void PrintOpen(Screen& screen, std::string_view text);
// Puts one finished line on the screen, or into HeldText when the page is full.
void PushLine(Screen& screen, std::string_view line);
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
void SetInventoryLabel(Screen& screen, std::string_view text);

// Reads the descriptions file: one picture a line, its file name, blanks, then the
// description; empty lines and lines that begin with "#" are left out. A line without a
// description describes nothing.
PictureDescriptions ReadPictureDescriptions(std::string_view text);

}  // namespace vortila
