#include "app/term/picture.h"

#include <chafa.h>
#include <png.h>

#include <algorithm>
#include <string>

#include "world/files.h"

namespace vortila {

namespace {

// Far beyond any picture of the game; a file claiming more is not worth the memory.
constexpr png_uint_32 kMaxPictureSide = 4096;
// Terminal cells are about half as wide as they are tall.
constexpr float kCellWidthToHeight = 0.5F;

template <typename T, void (*Release)(T*)>
struct ChafaReleaser {
  void operator()(T* object) const { Release(object); }
};
using SymbolMap =
    std::unique_ptr<ChafaSymbolMap, ChafaReleaser<ChafaSymbolMap, chafa_symbol_map_unref>>;
using CanvasConfig = std::unique_ptr<ChafaCanvasConfig,
                                     ChafaReleaser<ChafaCanvasConfig, chafa_canvas_config_unref>>;
using Canvas = std::unique_ptr<ChafaCanvas, ChafaReleaser<ChafaCanvas, chafa_canvas_unref>>;

struct Palette {
  ChafaCanvasMode mode;
  int colours;  // palette indexes run from 0 to colours - 1; 0 at true colour
};

Palette PaletteFor(ColourDepth depth) {
  switch (depth) {
    case ColourDepth::kTrueColour:
      return {CHAFA_CANVAS_MODE_TRUECOLOR, 0};
    case ColourDepth::k256:
      // The 16 basic colours are left out: every terminal theme paints them differently.
      return {CHAFA_CANVAS_MODE_INDEXED_240, 256};
    case ColourDepth::k16:
      return {CHAFA_CANVAS_MODE_INDEXED_16, 16};
    case ColourDepth::k8:
      return {CHAFA_CANVAS_MODE_INDEXED_8, 8};
    case ColourDepth::kNone:
      break;
  }
  return {CHAFA_CANVAS_MODE_FGBG, 0};
}

}  // namespace

std::optional<PixelImage> ReadPicture(const std::filesystem::path& file) {
  const std::optional<std::string> bytes = ReadRegularFile(file, kLargestPictureFile);
  if (!bytes) return std::nullopt;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes->data(), bytes->size())) return std::nullopt;
  if (png.width == 0 || png.height == 0 || png.width > kMaxPictureSide ||
      png.height > kMaxPictureSide) {
    png_image_free(&png);
    return std::nullopt;
  }
  png.format = PNG_FORMAT_RGBA;
  PixelImage image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  // On failure libpng has already released what it held.
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) return std::nullopt;
  return image;
}

CellPicture ConvertPicture(const PixelImage& image, int columns, int lines, ColourDepth depth,
                           bool unicodeSymbols) {
  CellPicture picture;
  if (columns <= 0 || lines <= 0 || image.width <= 0 || image.height <= 0) return picture;
  gint width = columns;
  gint height = lines;
  chafa_calc_canvas_geometry(image.width, image.height, &width, &height, kCellWidthToHeight,
                             TRUE, FALSE);
  width = std::clamp(width, 1, columns);
  height = std::clamp(height, 1, lines);

  SymbolMap symbols(chafa_symbol_map_new());
  chafa_symbol_map_add_by_tags(
      symbols.get(), static_cast<ChafaSymbolTags>(
                         unicodeSymbols ? CHAFA_SYMBOL_TAG_BLOCK | CHAFA_SYMBOL_TAG_BORDER |
                                              CHAFA_SYMBOL_TAG_SPACE
                                        : CHAFA_SYMBOL_TAG_ASCII | CHAFA_SYMBOL_TAG_SPACE));
  // Every symbol must take exactly one column, whatever the terminal's font.
  chafa_symbol_map_remove_by_tags(
      symbols.get(),
      static_cast<ChafaSymbolTags>(CHAFA_SYMBOL_TAG_WIDE | CHAFA_SYMBOL_TAG_AMBIGUOUS));
  const Palette palette = PaletteFor(depth);
  CanvasConfig config(chafa_canvas_config_new());
  chafa_canvas_config_set_geometry(config.get(), width, height);
  chafa_canvas_config_set_canvas_mode(config.get(), palette.mode);
  chafa_canvas_config_set_symbol_map(config.get(), symbols.get());
  Canvas canvas(chafa_canvas_new(config.get()));
  chafa_canvas_draw_all_pixels(canvas.get(), CHAFA_PIXEL_RGBA8_UNASSOCIATED, image.rgba.data(),
                               image.width, image.height, image.width * 4);

  // Anything outside the palette (chafa's marks for transparent and default) is the
  // terminal's own colour.
  const auto inPalette = [&](gint colour) {
    return colour >= 0 && colour < palette.colours ? colour : -1;
  };
  picture.columns = width;
  picture.lines = height;
  picture.cells.reserve(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      PictureCell cell;
      cell.symbol = chafa_canvas_get_char_at(canvas.get(), x, y);
      gint foreground = -1;
      gint background = -1;
      if (depth == ColourDepth::kTrueColour) {
        chafa_canvas_get_colors_at(canvas.get(), x, y, &foreground, &background);
        cell.foreground = foreground;
        cell.background = background;
      } else if (depth != ColourDepth::kNone) {
        chafa_canvas_get_raw_colors_at(canvas.get(), x, y, &foreground, &background);
        cell.foreground = inPalette(foreground);
        cell.background = inPalette(background);
      }
      picture.cells.push_back(cell);
    }
  }
  return picture;
}

std::shared_ptr<const CellPicture> PictureCache::Get(const std::filesystem::path& file,
                                                     int columns, int lines) {
  const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
    return entry.columns == columns && entry.lines == lines && entry.file == file;
  });
  if (found != entries_.end()) {
    entries_.splice(entries_.begin(), entries_, found);
    return found->picture;
  }
  auto picture = std::make_shared<CellPicture>();
  if (const auto image = ReadPicture(file)) {
    *picture = ConvertPicture(*image, columns, lines, depth_, unicodeSymbols_);
  }
  entries_.push_front({file, columns, lines, picture});
  if (entries_.size() > kEntries) entries_.pop_back();
  return picture;
}

}  // namespace vortila
