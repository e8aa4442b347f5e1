#include "app/term/picture.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "parser/object_services.h"
#include "png_writer.h"
#include "test_support.h"
#include "world/data_files.h"

namespace vortila {
namespace {

using testing::Rgb;
using testing::WritePng;

class PictureTest : public ::testing::Test {
 protected:
  std::filesystem::path Path(std::string_view name) const { return folder.path() / name; }
  // A picture twice as wide as it is tall: yellow on the left half, blue on the right.
  std::filesystem::path YellowAndBlue(std::string_view name = "002.pkd") const {
    WritePng(Path(name), 64, 32,
             [](int x, int) { return x < 32 ? Rgb{255, 255, 0} : Rgb{0, 0, 255}; });
    return Path(name);
  }

  testing::TempFolder folder;
};

TEST_F(PictureTest, APngIsReadByItsContentWhateverItsName) {
  const auto image = ReadPicture(YellowAndBlue());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 64);
  EXPECT_EQ(image->height, 32);
  EXPECT_EQ(image->rgba.size(), 64U * 32U * 4U);
  EXPECT_EQ(image->rgba[2], 0);  // yellow, opaque
  EXPECT_EQ(image->rgba[3], 255);
}

TEST_F(PictureTest, AFileThatIsNoPictureGivesNothing) {
  EXPECT_FALSE(ReadPicture(Path("001.pkd")));
  folder.Write("003.pkd", "tuta,stesso,\"la tuta\"\r\n");
  EXPECT_FALSE(ReadPicture(Path("003.pkd")));
  // A picture cut short, as a failed copy leaves it.
  std::ifstream in(YellowAndBlue("004.pkd"), std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  folder.Write("005.pkd", std::string_view(whole).substr(0, whole.size() / 2));
  EXPECT_FALSE(ReadPicture(Path("005.pkd")));
  EXPECT_FALSE(ReadPicture(folder.path()));
  // A FIFO would keep the terminal waiting for a writer for ever.
  ASSERT_EQ(mkfifo(Path("006.pkd").c_str(), 0600), 0);
  EXPECT_FALSE(ReadPicture(Path("006.pkd")));
}

TEST_F(PictureTest, ThePictureFitsThePaneWithItsProportionsKept) {
  const auto image = ReadPicture(YellowAndBlue());
  ASSERT_TRUE(image);
  // Cells are twice as tall as wide: a 2:1 picture is four times as many columns as lines.
  const CellPicture wide = ConvertPicture(*image, 40, 40, ColourDepth::k256, true);
  EXPECT_EQ(wide.columns, 40);
  EXPECT_EQ(wide.lines, 10);
  const CellPicture high = ConvertPicture(*image, 100, 5, ColourDepth::k256, true);
  EXPECT_EQ(high.columns, 20);
  EXPECT_EQ(high.lines, 5);
  EXPECT_EQ(high.cells.size(), 100U);
  EXPECT_EQ(ConvertPicture(*image, 0, 5, ColourDepth::k256, true).cells.size(), 0U);
}

TEST_F(PictureTest, ColoursFollowWhatTheTerminalCanShow) {
  const auto image = ReadPicture(YellowAndBlue());
  ASSERT_TRUE(image);
  // Each cell is one colour here: whatever symbol chafa picks, one of its colours is it.
  const auto colourOf = [](const PictureCell& cell) {
    return cell.symbol == U' ' ? cell.background : cell.foreground;
  };
  const CellPicture full = ConvertPicture(*image, 8, 2, ColourDepth::kTrueColour, true);
  EXPECT_EQ(colourOf(full.At(0, 0)), 0xFFFF00);
  EXPECT_EQ(colourOf(full.At(7, 1)), 0x0000FF);

  const CellPicture indexed = ConvertPicture(*image, 8, 2, ColourDepth::k256, true);
  EXPECT_EQ(colourOf(indexed.At(0, 0)), 226);  // the palette's pure yellow
  EXPECT_EQ(colourOf(indexed.At(7, 1)), 21);   // and pure blue

  const CellPicture eight = ConvertPicture(*image, 8, 2, ColourDepth::k8, true);
  for (const PictureCell& cell : eight.cells) EXPECT_LT(std::max(cell.foreground, cell.background), 8);

  // Without colours the two halves differ by their symbols alone.
  const CellPicture plain = ConvertPicture(*image, 8, 2, ColourDepth::kNone, false);
  for (const PictureCell& cell : plain.cells) {
    EXPECT_EQ(cell.foreground, -1);
    EXPECT_EQ(cell.background, -1);
    EXPECT_LT(cell.symbol, 0x80U);
  }
  EXPECT_NE(plain.At(0, 0).symbol, plain.At(7, 0).symbol);
}

TEST_F(PictureTest, TheCacheConvertsAPictureOncePerSize) {
  PictureCache cache(ColourDepth::k256, true);
  const auto picture = YellowAndBlue();
  const auto first = cache.Get(picture, 20, 10);
  EXPECT_EQ(cache.Get(picture, 20, 10), first);
  const auto resized = cache.Get(picture, 30, 10);
  EXPECT_NE(resized, first);
  EXPECT_EQ(resized->columns, 30);
  // A missing picture is an empty one.
  EXPECT_EQ(cache.Get(Path("099.pkd"), 20, 10)->cells.size(), 0U);
  // Old entries give way to new ones; what a caller holds stays valid.
  for (int columns = 1; columns <= 20; ++columns) cache.Get(picture, columns, 10);
  EXPECT_NE(cache.Get(picture, 20, 10), first);
  EXPECT_EQ(first->columns, 20);
}

// Every picture the game can show is delivered, is a real picture, and all share one size,
// large enough for the window's pane: the pictures named by the code and those that the
// rooms of 000.pkd name in their "%I".
TEST(DeliveredPictures, EveryPictureTheGameShowsIsThereAtOneSize) {
  std::vector<std::string> names = {"001.pkd", "002.pkd", "003.pkd", "004.pkd",
                                    "005.pkd", "006.pkd", "007.pkd", "012.pkd",
                                    "013.pkd", "014.pkd", "016.pkd", "017.pkd"};
  auto objects = std::make_unique<ObjectTable>();
  LoadObjects(*objects, VORTILA_DATA_DIR);
  for (const std::string& flags : objects->ObjectFlags) {
    const std::string_view picture = CodeArgument(flags, "%I");
    if (!picture.empty()) names.emplace_back(picture);
  }
  ASSERT_GT(names.size(), 11U) << "no room names a picture";

  std::optional<PixelImage> first;
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const auto image = ReadPicture(std::filesystem::path(VORTILA_DATA_DIR) / name);
    ASSERT_TRUE(image.has_value());
    if (!first) first = image;
    EXPECT_GE(image->width, 480);
    EXPECT_EQ(image->width, first->width);
    EXPECT_EQ(image->height, first->height);
  }
}

}  // namespace
}  // namespace vortila
