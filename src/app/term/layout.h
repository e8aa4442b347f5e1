#pragma once

// Where each part of the game's screen goes in a terminal of a given size. Plain arithmetic,
// so that every size a player can drag the terminal to is checked without a terminal.
namespace vortila {

// A rectangle of character cells; an empty one is not drawn at all.
struct TermArea {
  int top = 0;
  int left = 0;
  int lines = 0;
  int columns = 0;

  bool Empty() const { return lines <= 0 || columns <= 0; }
};

struct TermLayout {
  // The rows of the game screen that fit, the newest (row 24) always on the last line.
  TermArea text;
  // The game-screen row shown on the first line of `text`.
  int firstRow = 0;
  // The prompt " >" and the command line, right below the text.
  TermArea command;
  // The picture pane and the framed "Inventario" box; either may be empty.
  TermArea picture;
  TermArea inventory;
};

// The text pane is this wide when there is room beside it: a line is cut at the first blank
// after 64 characters, so only a word of more than 16 letters at the cut runs past it. A
// terminal too narrow for the pane and a side column gives the text its whole width.
inline constexpr int kTermTextColumns = 80;
inline constexpr int kTermMinSideColumns = 20;

// The text and the command line come first; the picture and the inventory take what is
// left, beside them in a wide terminal or below them in a tall narrow one.
TermLayout ComputeTermLayout(int columns, int lines, int inventoryLines);

}  // namespace vortila
