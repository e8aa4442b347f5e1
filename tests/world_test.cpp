#include "world/world.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "world/data_files.h"

namespace vortila {
namespace {

std::vector<int> Slots(const SlotList& list) { return std::vector<int>(list.begin(), list.end()); }

// What reading every Id from the last slot down finds, which the index must answer too.
int ScanForId(const ObjectTable& objects, std::string_view id) {
  for (int slot = kObjectSlots; slot >= 1; --slot) {
    if (objects.ObjectId[slot] == id) return slot;
  }
  return 0;
}

TEST(FindObjectSlot, TheHighestMatchingSlotWins) {
  ObjectTable objects;
  objects.ObjectId[1] = "stesso";
  objects.ObjectId[3] = "gancio";
  objects.ObjectId[7] = "gancio";
  objects.ObjectId[9] = "Gancio";
  objects.ObjectId[12] = "pila sinistra";
  EXPECT_EQ(FindObjectSlot(objects, "gancio"), 7);
  EXPECT_EQ(FindObjectSlot(objects, "Gancio"), 9);
  EXPECT_EQ(FindObjectSlot(objects, "pila sinistra"), 12);
  EXPECT_EQ(FindObjectSlot(objects, "stesso"), 1);
  const int missing = FindObjectSlot(objects, "nulla");
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(objects.ObjectTitle[missing], "");
  // An empty Id names the last of the slots that a short data file leaves empty.
  EXPECT_EQ(FindObjectSlot(objects, ""), kObjectSlots);
}

// With every slot filled, and many Ids sharing their cells, the index still gives the
// scan's answers: the highest duplicate, and no slot at all for an empty Id.
TEST(FindObjectSlot, AFullTableAnswersAsTheScanDoes) {
  ObjectTable objects;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    objects.ObjectId[slot] = std::string(1 + slot % 7, static_cast<char>('a' + slot % 5));
  }
  for (int slot = 0; slot <= kObjectSlots; ++slot) {
    const std::string& id = objects.ObjectId[slot];
    EXPECT_EQ(FindObjectSlot(objects, id), ScanForId(objects, id)) << "«" << id << "»";
  }
  EXPECT_EQ(FindObjectSlot(objects, ""), 0);
  EXPECT_EQ(FindObjectSlot(objects, std::string(100, 'a')), 0);
}

// A word counts only whole, between two blanks of the list, even when it has blanks of its
// own, as the marker a clitic pronoun puts in has.
TEST(HasWord, FindsAWordOnlyWholeBetweenBlanks) {
  EXPECT_TRUE(HasWord(" prendi afferra ", "prendi"));
  EXPECT_TRUE(HasWord(" prendi afferra ", "afferra"));
  EXPECT_TRUE(HasWord(" prendi afferra ", "prendi afferra"));
  EXPECT_FALSE(HasWord(" prendi afferra ", "prend"));
  EXPECT_FALSE(HasWord(" prendi afferra ", "fferra"));
  EXPECT_FALSE(HasWord("prendi", "prendi"));
  EXPECT_FALSE(HasWord(" prendi afferra ", " afferra"));
  EXPECT_TRUE(HasWord(" prendi  afferra ", " afferra"));
  EXPECT_FALSE(HasWord(" x (la) y ", " (la) "));
  EXPECT_TRUE(HasWord(" x  (la)  y ", " (la) "));
  EXPECT_TRUE(HasWord("  ", ""));
  EXPECT_FALSE(HasWord(" a ", ""));
}

void ExpectAnswersAsReadingEveryList(const World& world, const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    std::vector<int> entries;
    std::vector<int> objects;
    for (int entry = 1; entry <= kVerbSlots; ++entry) {
      if (HasWord(world.verbs.VerbWords[entry], word)) entries.push_back(entry);
    }
    for (int slot = 1; slot <= kObjectSlots; ++slot) {
      if (HasWord(world.objects.ObjectNouns[slot], word) || world.objects.ObjectId[slot] == word) {
        objects.push_back(slot);
      }
    }
    EXPECT_EQ(Slots(VerbEntriesNaming(world, word)), entries) << "«" << word << "»";
    EXPECT_EQ(Slots(ObjectsNaming(world, word)), objects) << "«" << word << "»";
  }
}

// The index must answer exactly as reading every list would: whole words between blanks,
// nothing from a list that lacks its padding, each entry once, in ascending order, and words
// that share their hash ("fiocco", "fiacco": same length, same first, middle and last
// letters) told apart.
TEST(WordIndex, AnswersAsReadingEveryListWould) {
  World world;
  const char* verbWords[] = {" prendi afferra ", " prendi  prendi ", "prendi", " x",
                             "  ",               "",                 " prendix xprendi ",
                             " fiocco ",         " fiacco fiocco "};
  for (int entry = 0; entry < 9; ++entry) world.verbs.VerbWords[entry + 1] = verbWords[entry];
  world.objects.ObjectId[1] = "stesso";
  world.objects.ObjectNouns[1] = " te me ";
  world.objects.ObjectId[4] = "torcia";
  world.objects.ObjectNouns[4] = " torcia lampada ";
  world.objects.ObjectId[5] = "pila sinistra";
  world.objects.ObjectNouns[5] = " pila  sinistra ";
  world.objects.ObjectId[6] = "lampada";
  world.objects.ObjectNouns[6] = " faro fiacco ";
  world.objects.ObjectId[7] = "fiocco";

  ExpectAnswersAsReadingEveryList(
      world, {"prendi", "afferra",  "x",      "te",     "torcia", "lampada",       "pila",
              "sinistra", "faro",   "stesso", "fiocco", "fiacco", "fiucco",        "pila sinistra",
              "nulla",  "",         " (la) ", "prendi afferra"});
  EXPECT_EQ(Slots(VerbEntriesNaming(world, "prendi")), (std::vector<int>{1, 2}));
  EXPECT_EQ(Slots(VerbEntriesNaming(world, "fiocco")), (std::vector<int>{8, 9}));
  EXPECT_EQ(Slots(ObjectsNaming(world, "lampada")), (std::vector<int>{4, 6}));
  EXPECT_EQ(Slots(ObjectsNaming(world, "fiacco")), std::vector<int>{6});
  EXPECT_EQ(Slots(ObjectsNaming(world, "sinistrax")), std::vector<int>{});
}

// Long lists are read eight bytes at a time: a word must be found whatever its place among
// those eight, with single and double blanks around it, and bytes that only resemble a
// blank (a tab, "!", a no-break space, the bytes of an accented letter) must not end it.
TEST(WordIndex, FindsWordsAtEveryPlaceOfALongList) {
  World world;
  std::vector<std::string> words;
  for (int slot = 1; slot <= 40; ++slot) {
    std::string list = std::string(1 + slot % 3, ' ');
    for (int word = 0; word < 1 + slot % 6; ++word) {
      std::string text = std::string(1 + (slot + word) % 9, static_cast<char>('a' + slot % 26));
      text += std::to_string(word);
      if (word == 2) text += "!pi\xc3\xb9\t\xc2\xa0";
      if (word == 3) text.insert(0, "!");
      words.push_back(text);
      list += text + std::string(1 + (slot + word) % 2, ' ');
    }
    world.verbs.VerbWords[slot] = list;
    if (slot <= kObjectSlots - 10) world.objects.ObjectNouns[slot + 10] = list;
  }
  words.push_back("pi\xc3\xb9");
  words.push_back("a1");
  ExpectAnswersAsReadingEveryList(world, words);
  EXPECT_EQ(Slots(VerbEntriesNaming(world, words.front())), std::vector<int>{1});
}

// Tables read again are looked up in their new words only, and an Id that moved is found
// where it now stands.
TEST(WordIndex, FollowsTablesReadAgain) {
  World world;
  ReadObjects(world.objects,
              "stesso,buio,\"te\",\"me\",\"\",\"\"\nbuio,locazione,\"b\",\"buio\",\"\",\"\"\n"
              "torcia,stesso,\"t\",\"torcia lampada\",\"\",\"\"\n",
              "000.pkd");
  ReadVerbs(world.verbs, "1,prendi afferra,%o\n", "010.pkd");
  EXPECT_EQ(FindObjectSlot(world.objects, "torcia"), 3);
  EXPECT_EQ(Slots(ObjectsNaming(world, "lampada")), std::vector<int>{3});
  EXPECT_EQ(Slots(VerbEntriesNaming(world, "prendi")), std::vector<int>{1});

  ReadObjects(world.objects,
              "stesso,buio,\"te\",\"me\",\"\",\"\"\ntorcia,stesso,\"t\",\"faro\",\"\",\"\"\n"
              "buio,locazione,\"b\",\"buio\",\"\",\"\"\n",
              "000.pkd");
  ReadVerbs(world.verbs, "1,afferra,%o\n", "010.pkd");
  EXPECT_EQ(FindObjectSlot(world.objects, "torcia"), 2);
  EXPECT_EQ(FindObjectSlot(world.objects, "buio"), 3);
  EXPECT_EQ(Slots(ObjectsNaming(world, "faro")), std::vector<int>{2});
  EXPECT_EQ(Slots(ObjectsNaming(world, "lampada")), std::vector<int>{});
  EXPECT_EQ(Slots(VerbEntriesNaming(world, "prendi")), std::vector<int>{});
  EXPECT_EQ(Slots(VerbEntriesNaming(world, "afferra")), std::vector<int>{1});
}

}  // namespace
}  // namespace vortila
