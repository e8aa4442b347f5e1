#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/term/layout.h"
#include "app/term/picture.h"
#include "app/term/term_session.h"

struct screen;  // ncurses' SCREEN, kept out of every file but term_screen.cpp

// The terminal itself, through ncurses: it reads keys and draws a TermSession laid out for
// the terminal's current size. The only part of the front end that talks to the terminal.
namespace vortila {

class TermScreen {
 public:
  // Takes over the terminal on `in` and `out`; `terminalType` null means $TERM. Throws
  // std::runtime_error for a terminal type ncurses does not know.
  TermScreen(std::FILE* in, std::FILE* out, const char* terminalType = nullptr);
  // Gives the terminal back as it was.
  ~TermScreen();
  TermScreen(const TermScreen&) = delete;
  TermScreen& operator=(const TermScreen&) = delete;

  // Draws the whole session and brings the terminal up to date; ncurses sends only the
  // cells that changed since the last time.
  void Draw(TermSession& session);
  // Waits for the next key. A terminal that can no longer be read counts as closing the
  // window (Ctrl-C), so the game ends in order instead of waiting for ever. A wait that a
  // signal interrupts, as resuming a stopped game does, gives a repaint at the terminal's
  // size of then: a terminal resized while the game was stopped says so to nobody.
  TermKey ReadKey();
  // The next Draw paints every cell again, whatever the terminal is thought to show.
  void Repaint();

  ColourDepth Depth() const { return depth_; }

 private:
  // The ncurses colour pair for a foreground and background; 0 (the terminal's own colours)
  // when the terminal has no colours or no pairs left.
  int Pair(int foreground, int background);
  void DrawRows(const TermLayout& layout, const TermSession& session);
  void DrawCommandLine(const TermArea& area, CommandLine& line);
  // In place of the command line while the player reads back: how to go on.
  void DrawReadingBack(const TermArea& area);
  // The carried objects' titles, each wrapped to the box's `columns`.
  static std::vector<std::u32string> InventoryRows(const TermSession& session, int columns);
  void DrawInventory(const TermArea& area, const std::vector<std::u32string>& items);
  void DrawPicture(const TermArea& area, const TermSession& session);
  // Takes the size the terminal has now, if ncurses has not been told of it.
  void FollowTerminalSize();

  std::FILE* out_;
  screen* screen_ = nullptr;
  ColourDepth depth_ = ColourDepth::kNone;
  bool defaultColours_ = false;
  PictureCache pictures_{ColourDepth::kNone, false};
  std::unordered_map<std::int64_t, int> pairs_;
  int nextPair_ = 1;
  // The picture and pane size the pairs were last made for.
  std::string pairedPicture_;
};

}  // namespace vortila
