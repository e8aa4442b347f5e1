#include "app/term/layout.h"

#include <algorithm>

#include "screen/screen.h"

namespace vortila {

namespace {

// A frame and one line inside it.
constexpr int kMinBoxLines = 3;
// Below this a picture is too small to make out.
constexpr int kMinPictureLines = 4;
constexpr int kMinPictureColumns = 8;

}  // namespace

TermLayout ComputeTermLayout(int columns, int lines, int inventoryLines) {
  TermLayout layout;
  columns = std::max(columns, 0);
  lines = std::max(lines, 0);
  if (columns == 0 || lines == 0) return layout;

  const int textLines = std::min(kScreenRows, lines - 1);
  const bool beside = columns >= kTermTextColumns + 1 + kTermMinSideColumns;
  const int textColumns = beside ? kTermTextColumns : columns;
  layout.text = {0, 0, textLines, textColumns};
  layout.firstRow = kScreenRows - textLines;
  layout.command = {textLines, 0, 1, textColumns};

  // Beside, the side column is as tall as the game screen; below, it is what is left.
  TermArea side;
  if (beside) {
    side = {0, textColumns + 1, textLines + 1, columns - textColumns - 1};
  } else {
    side = {textLines + 1, 0, lines - textLines - 1, columns};
  }
  // The box is as tall as what it lists, and the picture has the rest above it.
  const int boxLines = std::min(side.lines, std::max(kMinBoxLines, inventoryLines + 2));
  if (boxLines < kMinBoxLines) return layout;
  layout.inventory = {side.top + side.lines - boxLines, side.left, boxLines, side.columns};
  const int pictureLines = side.lines - boxLines;
  if (pictureLines >= kMinPictureLines && side.columns >= kMinPictureColumns) {
    layout.picture = {side.top, side.left, pictureLines, side.columns};
  }
  return layout;
}

}  // namespace vortila
