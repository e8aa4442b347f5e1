#include "app/term/layout.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "app/term/cells.h"

namespace vortila {
namespace {

bool Inside(const TermArea& area, int columns, int lines) {
  return area.Empty() || (area.top >= 0 && area.left >= 0 && area.top + area.lines <= lines &&
                          area.left + area.columns <= columns);
}

bool Overlap(const TermArea& a, const TermArea& b) {
  if (a.Empty() || b.Empty()) return false;
  return a.top < b.top + b.lines && b.top < a.top + a.lines && a.left < b.left + b.columns &&
         b.left < a.left + a.columns;
}

TEST(TermLayoutTest, AWideTerminalShowsTheWholeScreenWithThePictureAndInventoryBeside) {
  const TermLayout layout = ComputeTermLayout(120, 30, 3);
  EXPECT_EQ(layout.firstRow, 0);
  EXPECT_EQ(layout.text.lines, 25);
  EXPECT_EQ(layout.text.columns, kTermTextColumns);
  EXPECT_EQ(layout.command.top, 25);
  EXPECT_EQ(layout.picture.left, kTermTextColumns + 1);
  EXPECT_EQ(layout.picture.columns, 120 - kTermTextColumns - 1);
  // The box holds the three items in its frame, right below the picture.
  EXPECT_EQ(layout.inventory.lines, 5);
  EXPECT_EQ(layout.picture.top + layout.picture.lines, layout.inventory.top);
  EXPECT_EQ(layout.inventory.top + layout.inventory.lines, 26);
}

TEST(TermLayoutTest, ANarrowTerminalGivesTheTextTheWholeWidthAndThePictureGivesWay) {
  const TermLayout standard = ComputeTermLayout(80, 24, 3);
  EXPECT_EQ(standard.text.columns, 80);
  // The newest rows stay: the two oldest are the ones left out.
  EXPECT_EQ(standard.text.lines, 23);
  EXPECT_EQ(standard.firstRow, 2);
  EXPECT_EQ(standard.command.top, 23);
  EXPECT_TRUE(standard.picture.Empty());
  EXPECT_TRUE(standard.inventory.Empty());

  // Lines to spare below the command line hold the inventory, then the picture above it.
  const TermLayout tall = ComputeTermLayout(80, 40, 3);
  EXPECT_EQ(tall.inventory.top, 40 - 5);
  EXPECT_EQ(tall.picture.top, 26);
  EXPECT_EQ(tall.picture.columns, 80);
}

TEST(TermLayoutTest, ALongInventoryTakesRoomFromThePictureUntilThePictureGivesWay) {
  const TermLayout some = ComputeTermLayout(120, 30, 12);
  EXPECT_EQ(some.inventory.lines, 14);
  EXPECT_EQ(some.picture.lines, 26 - 14);
  const TermLayout many = ComputeTermLayout(120, 30, 40);
  EXPECT_EQ(many.inventory.lines, 26);
  EXPECT_TRUE(many.picture.Empty());
}

TEST(TermLayoutTest, EverySizeKeepsEachPartInsideTheTerminalAndApart) {
  for (int columns = -1; columns <= 130; ++columns) {
    for (int lines = -1; lines <= 40; ++lines) {
      for (const int items : {0, 3, 30}) {
        const TermLayout layout = ComputeTermLayout(columns, lines, items);
        const TermArea areas[] = {layout.text, layout.command, layout.picture, layout.inventory};
        for (const TermArea& area : areas) {
          ASSERT_TRUE(Inside(area, columns, lines)) << columns << "x" << lines;
          for (const TermArea& other : areas) {
            if (&area != &other) {
              ASSERT_FALSE(Overlap(area, other)) << columns << "x" << lines;
            }
          }
        }
        // The command line is the last thing to go.
        if (columns > 0 && lines > 0) {
          ASSERT_FALSE(layout.command.Empty());
        }
        ASSERT_EQ(layout.firstRow + layout.text.lines, lines > 0 && columns > 0 ? 25 : 0);
      }
    }
  }
}

TEST(WrapToColumnsTest, BreaksAtBlanksIndentsWhatFollowsAndCutsOnlyWordsTooLongForALine) {
  using Lines = std::vector<std::u32string>;
  std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(WrapToColumns(U"> il gancio", 20, 2), Lines{U"> il gancio"});
  EXPECT_EQ(WrapToColumns(U"> la cassetta degli attrezzi++", 14, 2),
            (Lines{U"> la cassetta", U"  degli", U"  attrezzi++"}));
  EXPECT_EQ(WrapToColumns(U"> accumulatore", 8, 2), (Lines{U"> accumu", U"  latore"}));
  // Wide characters take two columns each.
  EXPECT_EQ(WrapToColumns(U"> 宇宙 船", 5, 2), (Lines{U"> 宇", U"  宙", U"  船"}));
  // A margin as wide as the line still lets every line take a character.
  EXPECT_EQ(WrapToColumns(U"abc", 1, 4), (Lines{U"a", U"    b", U"    c"}));
  EXPECT_EQ(WrapToColumns(U"", 10, 2), Lines{U""});
}

}  // namespace
}  // namespace vortila
