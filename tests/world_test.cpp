#include "world/world.h"

#include <gtest/gtest.h>

namespace vortila {
namespace {

TEST(FindObjectSlot, TheHighestMatchingSlotWins) {
  ObjectTable objects;
  objects.ObjectId[3] = "gancio";
  objects.ObjectId[7] = "gancio";
  objects.ObjectId[9] = "Gancio";
  EXPECT_EQ(FindObjectSlot(objects, "gancio"), 7);
  EXPECT_EQ(FindObjectSlot(objects, "Gancio"), 9);
}

TEST(FindObjectSlot, AMissingIdIsSlotZeroWhichReadsAsEmpty) {
  ObjectTable objects;
  objects.ObjectId[1] = "stesso";
  const int slot = FindObjectSlot(objects, "nulla");
  EXPECT_EQ(slot, 0);
  EXPECT_EQ(objects.ObjectTitle[slot], "");
  // An empty Id names the last of the slots that a short data file leaves empty.
  EXPECT_EQ(FindObjectSlot(objects, ""), kObjectSlots);
}

}  // namespace
}  // namespace vortila
