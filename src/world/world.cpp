#include "world/world.h"

#include <algorithm>
#include <bit>

namespace vortila {

bool HasWord(std::string_view words, std::string_view word) {
  if (word.size() + 2 > words.size()) return false;
  // Looking for the word's first character is quicker than for the blank in front of it,
  // which every word of the list has.
  const char first = word.empty() ? ' ' : word.front();
  for (std::size_t at = words.find(first, 1); at != std::string_view::npos;
       at = words.find(first, at + 1)) {
    if (at + word.size() >= words.size()) return false;
    if (words[at - 1] == ' ' && words[at + word.size()] == ' ' &&
        words.compare(at, word.size(), word) == 0) {
      return true;
    }
  }
  return false;
}

namespace {

// FNV-1a: a few instructions a character, and words this short spread well enough.
constexpr std::uint32_t kEmptyHash = 2166136261u;

std::uint32_t HashOn(std::uint32_t hash, char c) {
  return (hash ^ static_cast<unsigned char>(c)) * 16777619u;
}

std::uint32_t HashOf(std::string_view word) {
  std::uint32_t hash = kEmptyHash;
  for (const char c : word) hash = HashOn(hash, c);
  return hash;
}

// The hash of each word of a list that stands between two blanks, taken in one pass over the
// list; a list without its padding blanks holds no word whole, as HasWord sees it.
template <typename Visit>
void ForEachListedWordHash(std::string_view words, Visit visit) {
  const std::size_t firstBlank = words.find(' ');
  if (firstBlank == std::string_view::npos) return;
  std::uint32_t hash = kEmptyHash;
  std::size_t length = 0;
  for (const char c : words.substr(firstBlank + 1)) {
    if (c != ' ') {
      hash = HashOn(hash, c);
      ++length;
      continue;
    }
    if (length > 0) visit(hash);
    hash = kEmptyHash;
    length = 0;
  }
}

// Only a single word can be looked up in the index; anything else (the rest of a long
// command, a pronoun's marker) is searched for in the lists themselves.
bool IsSingleWord(std::string_view word) {
  return !word.empty() && word.find(' ') == std::string_view::npos;
}

WordIndex::Table HashTable(const std::vector<WordIndex::Entry>& entries) {
  WordIndex::Table table(std::bit_ceil(2 * entries.size() + 1));
  const std::size_t mask = table.size() - 1;
  for (const WordIndex::Entry& entry : entries) {
    std::size_t at = entry.hash & mask;
    while (table[at].slot != WordIndex::kEmptyCell) at = (at + 1) & mask;
    table[at] = entry;
  }
  return table;
}

// The slots, in ascending order, that `names` accepts for `word`: among those the index
// gives for a single word, or among all `slots` for anything else.
template <typename Names>
std::vector<int> SlotsNaming(const WordIndex::Table& table, int slots, std::string_view word,
                             Names names) {
  std::vector<int> found;
  const auto accept = [&](int slot) {
    if ((found.empty() || found.back() != slot) && names(slot)) found.push_back(slot);
  };
  if (!IsSingleWord(word)) {
    for (int slot = 0; slot <= slots; ++slot) accept(slot);
  } else if (!table.empty()) {
    const std::uint32_t hash = HashOf(word);
    const std::size_t mask = table.size() - 1;
    for (std::size_t at = hash & mask; table[at].slot != WordIndex::kEmptyCell;
         at = (at + 1) & mask) {
      if (table[at].hash == hash) accept(table[at].slot);
    }
  }
  return found;
}

}  // namespace

void IndexWords(const World& world) {
  WordIndex& index = world.wordIndex;
  index.built = true;
  index.longestList = 0;
  const auto measure = [&](std::string_view text) {
    index.longestList = std::max(index.longestList, text.size());
  };
  std::vector<WordIndex::Entry> entries;
  entries.reserve(1024);
  for (int entry = 0; entry <= kVerbSlots; ++entry) {
    measure(world.verbs.VerbWords[entry]);
    ForEachListedWordHash(world.verbs.VerbWords[entry], [&](std::uint32_t hash) {
      entries.push_back({hash, entry});
    });
  }
  index.verbEntries = HashTable(entries);
  entries.clear();
  for (int slot = 0; slot <= kObjectSlots; ++slot) {
    measure(world.objects.ObjectNouns[slot]);
    measure(world.objects.ObjectId[slot]);
    ForEachListedWordHash(world.objects.ObjectNouns[slot], [&](std::uint32_t hash) {
      entries.push_back({hash, slot});
    });
    entries.push_back({HashOf(world.objects.ObjectId[slot]), slot});
  }
  index.objects = HashTable(entries);
}

namespace {

const WordIndex& IndexOf(const World& world) {
  if (!world.wordIndex.built) IndexWords(world);
  return world.wordIndex;
}

}  // namespace

std::vector<int> VerbEntriesNaming(const World& world, std::string_view word) {
  if (word.size() > IndexOf(world).longestList) return {};
  return SlotsNaming(world.wordIndex.verbEntries, kVerbSlots, word,
                     [&](int entry) { return HasWord(world.verbs.VerbWords[entry], word); });
}

std::vector<int> ObjectsNaming(const World& world, std::string_view word) {
  if (word.size() > IndexOf(world).longestList) return {};
  const ObjectTable& objects = world.objects;
  return SlotsNaming(world.wordIndex.objects, kObjectSlots, word, [&](int slot) {
    return HasWord(objects.ObjectNouns[slot], word) || objects.ObjectId[slot] == word;
  });
}

int FindObjectSlot(const ObjectTable& objects, std::string_view id) {
  // From the last slot down: the first match is the one that decides.
  for (int slot = kObjectSlots; slot >= 1; --slot) {
    if (objects.ObjectId[slot] == id) return slot;
  }
  return 0;
}

}  // namespace vortila
