#pragma once

#include <cstdint>
#include <filesystem>
#include <list>
#include <memory>
#include <optional>
#include <vector>

// Pictures for the terminal: a picture file decoded to pixels, then turned into coloured
// character cells that fit the picture pane.
namespace vortila {

// What the terminal can show, from most to least.
enum class ColourDepth { kTrueColour, k256, k16, k8, kNone };

// One cell of a picture: a symbol in a foreground colour on a background colour. A colour is
// 0xRRGGBB at kTrueColour and a palette index otherwise; -1 is the terminal's own colour.
struct PictureCell {
  char32_t symbol = U' ';
  int foreground = -1;
  int background = -1;
};

struct CellPicture {
  int columns = 0;
  int lines = 0;
  std::vector<PictureCell> cells;  // line after line

  const PictureCell& At(int column, int line) const {
    return cells[static_cast<std::size_t>(line * columns + column)];
  }
};

struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // 4 bytes a pixel, row after row
};

// Reads a picture file by its content, whatever its name: the game's pictures are PNG files
// named NNN.pkd. Nothing when the file is missing, is not a regular file, is not a picture
// or is unreasonably large.
std::optional<PixelImage> ReadPicture(const std::filesystem::path& file);

// The picture as cells, as large as fits in `columns` x `lines` with its proportions kept
// (a cell is about twice as tall as it is wide). `unicodeSymbols` allows block and line
// characters; without it the picture is drawn in ASCII.
CellPicture ConvertPicture(const PixelImage& image, int columns, int lines, ColourDepth depth,
                           bool unicodeSymbols);

// Redrawing the screen happens at every key; converting a picture costs far more, so each
// file is converted once for each pane size and kept. A file that cannot be read gives an
// empty picture, which is kept too.
class PictureCache {
 public:
  PictureCache(ColourDepth depth, bool unicodeSymbols)
      : depth_(depth), unicodeSymbols_(unicodeSymbols) {}

  std::shared_ptr<const CellPicture> Get(const std::filesystem::path& file, int columns,
                                         int lines);

 private:
  struct Entry {
    std::filesystem::path file;
    int columns;
    int lines;
    std::shared_ptr<const CellPicture> picture;
  };
  // A few pictures at a few sizes: the last ones used, the most recent first.
  static constexpr std::size_t kEntries = 8;

  ColourDepth depth_;
  bool unicodeSymbols_;
  std::list<Entry> entries_;
};

}  // namespace vortila
