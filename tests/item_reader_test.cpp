#include "world/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vortila {
namespace {

std::vector<std::string> AllItems(std::string_view text) {
  ItemReader reader(text);
  std::vector<std::string> items;
  while (auto item = reader.ReadItem()) items.emplace_back(*item);
  return items;
}

using Items = std::vector<std::string>;

TEST(ItemReader, SeparatesAtCommasAndLineEndsOfEitherKind) {
  EXPECT_EQ(AllItems("a,b\r\nc\nd"), (Items{"a", "b", "c", "d"}));
  EXPECT_EQ(AllItems("a\rb"), (Items{"a", "b"}));
}

// Unquoted items are passed eight bytes at a time: a separator of each kind is found
// wherever it falls among them, whatever bytes come before it.
TEST(ItemReader, FindsTheSeparatorAtEveryPlaceInALongItem) {
  const std::string word = "sali-scendi_più.giù/x#";
  for (const std::string separator : {",", "\n", "\r", "\r\n"}) {
    for (std::size_t length = 0; length <= word.size(); ++length) {
      const std::string item = word.substr(0, length);
      EXPECT_EQ(AllItems(item + separator + "fine"), (Items{item, "fine"}))
          << length << " bytes before " << static_cast<int>(separator[0]);
    }
  }
}

TEST(ItemReader, QuotedItemsKeepCommasApostrophesAndBlanks) {
  EXPECT_EQ(AllItems("\"l'uovo, rotto \",x"), (Items{"l'uovo, rotto ", "x"}));
  // What follows the closing quote up to the separator is ignored.
  EXPECT_EQ(AllItems("\"uno\" due,tre"), (Items{"uno", "tre"}));
  EXPECT_EQ(AllItems("\"\",\"%%\""), (Items{"", "%%"}));
}

TEST(ItemReader, SkipsBlanksInFrontAndAtTheEndOfUnquotedItems) {
  EXPECT_EQ(AllItems(" \t 12 ,\t\"a\""), (Items{"12", "a"}));
}

TEST(ItemReader, EmptyLinesAndDoubleCommasAreEmptyItems) {
  EXPECT_EQ(AllItems("a\r\n\r\nb"), (Items{"a", "", "b"}));
  EXPECT_EQ(AllItems("a,,b"), (Items{"a", "", "b"}));
}

TEST(ItemReader, TrailingEmptyLinesAreTheEndOfTheText) {
  ItemReader reader("a\r\n\r\n  \n");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadItem(), "a");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ItemReader, AQuoteLeftOpenIsReportedWithItsLine) {
  ItemReader reader("a\n\"senza fine,\nb");
  EXPECT_EQ(reader.ReadItem(), "a");
  try {
    reader.ReadItem();
    FAIL() << "an open quote was accepted";
  } catch (const UnclosedQuote& unclosed) {
    EXPECT_EQ(unclosed.line, 2);
  }
  EXPECT_THROW(ItemReader("\"x").ReadItem(), UnclosedQuote);
}

}  // namespace
}  // namespace vortila
