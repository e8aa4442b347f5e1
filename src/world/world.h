#pragma once

#include <algorithm>
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
inline constexpr std::string_view kEverywhere = "*";
inline constexpr std::string_view kPlacesBesidesObjects[] = {kRoomPlace, kEverywhere, "n",  "nn",
                                                            "nnn",      "nulla",     "--"};

// The story clock runs from 0, the first page of the introduction, to 2002, the page after
// the victory.
inline constexpr int kLastStoryClock = 2002;

// The words of a table by hash, so that a word is found without reading every list: the
// words are chained in groups by the top bits of their hash, each chain in ascending order of
// slot, and those of the sought word's chain with its hash are compared with it where they
// stand in their slot's text.
struct WordIndex {
  struct Entry {
    std::uint32_t hash = 0;
    int slot = 0;
    std::uint32_t offset = 0;
    // The number of the next entry of the chain, or 0 at its end.
    std::uint32_t next = 0;
  };
  // The number of each group's first entry, or 0 for none; entry number n is entries[n - 1].
  // Both are empty while the table's words are not indexed.
  std::vector<std::uint32_t> groupHeads;
  std::vector<Entry> entries;
  // No list and no Id of the table is longer: a longer word is named nowhere and is turned
  // away before it is hashed or searched for, so that a word cut shorter clitic by clitic
  // costs no more each time than the longest text.
  std::size_t longestText = 0;
};

// A column of texts that play changes: where the objects are and their flags. It is read
// freely but written only through Change, which marks the slot, so that rewind learns what
// changed since it last looked without comparing every text, and the inventory label whether
// it must be made again. A column copied or replaced whole counts every slot as changed.
class ChangingColumn {
 public:
  using Texts = std::array<std::string, kObjectSlots + 1>;

  ChangingColumn() = default;
  ChangingColumn(const ChangingColumn& other) : texts_(other.texts_), writes_(other.writes_) {
    MarkAll();
  }
  ChangingColumn& operator=(const ChangingColumn& other) {
    texts_ = other.texts_;
    writes_ = std::max(writes_, other.writes_);
    MarkAll();
    return *this;
  }
  ChangingColumn& operator=(const Texts& texts) {
    texts_ = texts;
    MarkAll();
    return *this;
  }

  const std::string& operator[](int slot) const { return texts_[slot]; }
  auto begin() const { return texts_.cbegin(); }
  auto end() const { return texts_.cend(); }
  const Texts& texts() const { return texts_; }

  // The slot's text, to be written at once: a reference kept beyond the write would change
  // the text unseen.
  std::string& Change(int slot) {
    Mark(std::uint64_t{1} << slot);
    return texts_[slot];
  }

  // The slots changed since the marks were last cleared, slot n as bit n.
  std::uint64_t ChangedSlots() const { return changed_; }
  void ClearChanges() { changed_ = 0; }

  // How many times the column has been written; a copy counts as one write more than either
  // column had. The count only grows, so the same count read again means nothing was written.
  std::uint64_t Writes() const { return writes_; }

 private:
  static_assert(kObjectSlots < 64, "a slot's mark is one bit of a 64-bit word");

  void Mark(std::uint64_t marks) {
    changed_ |= marks;
    ++writes_;
  }
  void MarkAll() { Mark((std::uint64_t{1} << (kObjectSlots + 1)) - 1); }

  Texts texts_;
  std::uint64_t changed_ = 0;
  std::uint64_t writes_ = 0;
};

struct ObjectTable {
  template <typename T>
  using Column = std::array<T, kObjectSlots + 1>;

  Column<std::string> ObjectId;
  Column<std::string> ObjectTitle;
  Column<std::string> ObjectNouns;
  ChangingColumn ObjectLocation;
  ChangingColumn ObjectFlags;
  Column<std::string> ObjectDescription;

  // Grows with every write to the locations or the flags, and so names their state for the
  // inventory label made from this table. Ids and titles change only when a data file is
  // read, which writes every location too.
  std::uint64_t PlayVersion() const { return ObjectLocation.Writes() + ObjectFlags.Writes(); }

  // Built at the first lookup of an Id or a noun. Ids and nouns never change once the data
  // file is read: the reader, which alone writes them, drops the indexes, so that the next
  // lookup indexes what it has read.
  mutable WordIndex idIndex;
  mutable WordIndex nounIndex;
};

struct VerbTable {
  template <typename T>
  using Column = std::array<T, kVerbSlots + 1>;

  Column<int> VerbCode{};
  Column<std::string> VerbWords;
  Column<std::string> VerbPatterns;

  // Built at the first lookup of a word and dropped by the reader, as the objects' are.
  mutable WordIndex wordIndex;
};

struct World {
  ObjectTable objects;
  VerbTable verbs;
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

// Indexes the words and Ids of both tables as they stand now, rather than at their first
// lookup: for a world copied once and played many times, or tables filled by hand.
void IndexWords(const World& world);

// The slots a lookup found, in ascending order, each once.
class SlotList {
 public:
  void Add(int slot) {
    if (count_ == 0 || slots_[count_ - 1] != slot) slots_[count_++] = static_cast<Slot>(slot);
  }
  const auto* begin() const { return slots_.data(); }
  const auto* end() const { return slots_.data() + count_; }
  int size() const { return count_; }

 private:
  using Slot = std::int16_t;
  // Every verb entry at most; left uninitialised beyond what has been added.
  std::array<Slot, kVerbSlots + 1> slots_;
  int count_ = 0;
};

// The verb entries whose words hold `word`.
SlotList VerbEntriesNaming(const World& world, std::string_view word);
// The objects whose nouns hold `word` or whose Id is `word`.
SlotList ObjectsNaming(const World& world, std::string_view word);

// The slot of the object whose Id is exactly `id`, or 0 when there is none. The highest
// match wins, so a duplicated Id resolves to its last record; an empty `id` matches the
// empty slots a short data file leaves behind.
int FindObjectSlot(const ObjectTable& objects, std::string_view id);

}  // namespace vortila
