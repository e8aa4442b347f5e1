#include "world/world.h"

#include <gtest/gtest.h>

#include <vector>

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

// The index must answer exactly as reading every list would: whole words between blanks,
// nothing from a list that lacks its padding, each entry once, in ascending order.
TEST(WordIndex, AnswersAsReadingEveryListWould) {
  World world;
  const char* verbWords[] = {" prendi afferra ", " prendi  prendi ", "prendi", " x", "  ", ""};
  for (int entry = 0; entry < 6; ++entry) world.verbs.VerbWords[entry + 1] = verbWords[entry];
  world.objects.ObjectId[1] = "stesso";
  world.objects.ObjectNouns[1] = " te me ";
  world.objects.ObjectId[4] = "torcia";
  world.objects.ObjectNouns[4] = " torcia lampada ";
  world.objects.ObjectId[5] = "pila sinistra";
  world.objects.ObjectNouns[5] = " pila  sinistra ";
  IndexWords(world);

  for (const char* word : {"prendi", "afferra", "x", "te", "torcia", "lampada", "pila", "sinistra",
                           "pila sinistra", "stesso", "nulla", "", " (la) "}) {
    std::vector<int> entries;
    std::vector<int> objects;
    for (int entry = 0; entry <= kVerbSlots; ++entry) {
      if (HasWord(world.verbs.VerbWords[entry], word)) entries.push_back(entry);
    }
    for (int slot = 0; slot <= kObjectSlots; ++slot) {
      if (HasWord(world.objects.ObjectNouns[slot], word) || world.objects.ObjectId[slot] == word) {
        objects.push_back(slot);
      }
    }
    EXPECT_EQ(VerbEntriesNaming(world, word), entries) << "«" << word << "»";
    EXPECT_EQ(ObjectsNaming(world, word), objects) << "«" << word << "»";
  }
  EXPECT_EQ(VerbEntriesNaming(world, "prendi"), (std::vector<int>{1, 2}));
  EXPECT_EQ(ObjectsNaming(world, "torcia"), std::vector<int>{4});
}

}  // namespace
}  // namespace vortila
