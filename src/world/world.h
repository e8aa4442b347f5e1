#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The whole world of one game: the object table, the verb table and the story variables.
// Tables are parallel arrays indexed by slot; slot 0 is never loaded and stays empty, so a
// slot number of 0 ("none") always reads as an empty object or verb.
namespace vortila {

inline constexpr int kObjectSlots = 50;
inline constexpr int kVerbSlots = 200;

// The Id of the player, who is always slot 1; as a location it means "carried".
inline constexpr std::string_view kPlayerId = "stesso";

// The places an object can be besides inside another: a room's own place, everywhere, and
// the places off stage that the rules move objects to and test for.
inline constexpr std::string_view kRoomPlace = "locazione";
inline constexpr std::string_view kPlacesBesidesObjects[] = {kRoomPlace, "*",     "n", "nn",
                                                            "nnn",      "nulla", "--"};

// The story clock runs from 0, the first page of the introduction, to 2002, the page after
// the victory.
inline constexpr int kLastStoryClock = 2002;

struct ObjectTable {
  template <typename T>
  using Column = std::array<T, kObjectSlots + 1>;

  Column<std::string> ObjectId;
  Column<std::string> ObjectTitle;
  Column<std::string> ObjectNouns;
  Column<std::string> ObjectLocation;
  Column<std::string> ObjectFlags;
  Column<std::string> ObjectDescription;
};

struct VerbTable {
  template <typename T>
  using Column = std::array<T, kVerbSlots + 1>;

  Column<int> VerbCode{};
  Column<std::string> VerbWords;
  Column<std::string> VerbPatterns;
};

// For each word of the verb table, the verb entries that list it; for each noun and Id of
// the object table, the objects that have it. The words and the Ids never change once the
// data files have been read, so the index built then (IndexWords) serves until they are read
// again. It keeps the hash of each word beside its slot in an open-addressed table, filled
// in ascending order of slot: the cells from a hash's own cell to the next empty one hold
// every slot with that hash, still in ascending order, and each is then checked against its
// own list.
struct WordIndex {
  static constexpr int kEmptyCell = -1;
  struct Entry {
    std::uint32_t hash = 0;
    int slot = kEmptyCell;
  };
  // A power of two in size, at least twice as large as what it holds; empty before
  // IndexWords has run.
  using Table = std::vector<Entry>;
  Table verbEntries;
  Table objects;
  // No word list and no Id is longer: a longer word cannot be named anywhere, and is
  // turned away before it is hashed or searched for.
  std::size_t longestList = 0;
  bool built = false;
};

struct World {
  ObjectTable objects;
  VerbTable verbs;
  // Built when a word is first looked up, from the tables as they were read: a start that
  // shows its first page looks up no word, and need not pay for it. A World whose tables are
  // read again starts with an empty one.
  mutable WordIndex wordIndex;
  // The objects' flags as the data file delivers them. Play only switches their codes, so a
  // saved game's flags are checked against them.
  ObjectTable::Column<std::string> deliveredFlags;

  int CurrentRoom = 0;
  int StoryClock = 0;
  int GameOverState = 0;
  int WheelPosition = 0;
  std::string InputLine;
};

// Whether an object's flags hold `code`. Codes are found anywhere in the text and case
// counts: "%o" (closed) and "%O" (open) are different codes.
inline bool HasCode(std::string_view flags, std::string_view code) {
  return flags.find(code) != std::string_view::npos;
}

// Rewrites the first `from` in an object's flags as `to`, a code of the same length ("%o"
// closed becomes "%O" open); flags without `from` stay as they are.
inline void ReplaceFirstCode(std::string& flags, std::string_view from, std::string_view to) {
  if (const std::size_t at = flags.find(from); at != std::string::npos) {
    flags.replace(at, from.size(), to);
  }
}

// Whether a word list (VerbWords, ObjectNouns: words between single blanks, with a blank at
// each end) holds `word` whole, that is, the list contains a blank, the word and a blank.
bool HasWord(std::string_view words, std::string_view word);

// Builds the word index from the two tables now, rather than at the first lookup.
void IndexWords(const World& world);

// The verb entries whose words hold `word`, in ascending order.
std::vector<int> VerbEntriesNaming(const World& world, std::string_view word);
// The objects (slots 0..50) whose nouns hold `word` or whose Id is `word`, in ascending order.
std::vector<int> ObjectsNaming(const World& world, std::string_view word);

// The slot of the object whose Id is exactly `id`, or 0 when there is none. The highest
// match wins, so a duplicated Id resolves to its last record; an empty `id` matches the
// empty slots a short data file leaves behind.
int FindObjectSlot(const ObjectTable& objects, std::string_view id);

}  // namespace vortila
