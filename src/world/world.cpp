#include "world/world.h"

#include <algorithm>
#include <bit>

#include "text/eight_bytes.h"

namespace vortila {

bool HasWord(std::string_view words, std::string_view word) {
  if (word.size() + 2 > words.size()) return false;
  // The word is looked for by its first byte other than a blank, which is rarer in a list
  // than the blanks between its words; a word of blanks alone, or none, by a blank.
  std::size_t lead = word.find_first_not_of(' ');
  if (lead == std::string_view::npos) lead = 0;
  const char sought = word.empty() ? ' ' : word[lead];
  for (std::size_t at = words.find(sought, lead + 1); at != std::string_view::npos;
       at = words.find(sought, at + 1)) {
    const std::size_t start = at - lead;
    if (start + word.size() >= words.size()) return false;
    if (words[start - 1] == ' ' && words[start + word.size()] == ' ' &&
        words.compare(start, word.size(), word) == 0) {
      return true;
    }
  }
  return false;
}

namespace {

// A word is hashed by its length and its first, middle and last bytes: that tells the words
// of a table apart well enough, costs the same for any word, and leaves indexing a list
// little more to do than finding its blanks. Packed into one number, the four are multiplied
// by an odd constant, which keeps them apart (two words have one hash only when the four
// agree) and stirs them all into the top bits, which choose the group. The whole word is
// compared afterwards.
std::uint32_t HashOf(std::string_view word) {
  if (word.empty()) return 0;
  const auto byte = [&](std::size_t at) -> std::uint32_t {
    return static_cast<unsigned char>(word[at]);
  };
  const std::uint32_t packed = static_cast<std::uint32_t>(word.size()) << 24 | byte(0) << 16 |
                               byte(word.size() / 2) << 8 | byte(word.size() - 1);
  return packed * 0x9E3779B1u;
}

// The group of a hash among `groups`, from its top bits.
std::size_t GroupOf(std::uint32_t hash, std::size_t groups) {
  return static_cast<std::size_t>((std::uint64_t{hash} * groups) >> 32);
}

// Puts a word at the head of its group's chain. The words are added slot by slot from the
// last one down, so that each chain runs in ascending order of slot.
inline void AddWord(WordIndex& index, int slot, std::string_view word, std::size_t offset) {
  const std::uint32_t hash = HashOf(word);
  std::uint32_t& head = index.groupHeads[GroupOf(hash, index.groupHeads.size())];
  index.entries.push_back({hash, slot, static_cast<std::uint32_t>(offset), head});
  head = static_cast<std::uint32_t>(index.entries.size());
}

// Adds the words of a list that stand between two blanks; a list without its padding blanks
// holds no word whole, as HasWord sees it. The blanks are found eight bytes at a time, each
// one ending the word begun after the blank before it.
void AddListedWords(WordIndex& index, int slot, std::string_view list) {
  index.longestText = std::max(index.longestText, list.size());
  // No word ends before the first blank.
  std::size_t wordStart = list.size();
  const auto blankAt = [&](std::size_t at) {
    if (at > wordStart) {
      AddWord(index, slot, std::string_view(list.data() + wordStart, at - wordStart), wordStart);
    }
    wordStart = at + 1;
  };
  std::size_t at = 0;
  for (; at + 8 <= list.size(); at += 8) {
    for (std::uint64_t blanks = eight_bytes::MarkEachEqual(eight_bytes::At(list, at), ' ');
         blanks != 0; blanks &= blanks - 1) {
      blankAt(at + eight_bytes::FirstMarked(blanks));
    }
  }
  for (; at < list.size(); ++at) {
    if (list[at] == ' ') blankAt(at);
  }
}

// An index with room for the words of texts `length` bytes long in all, which take eight
// bytes or so each.
WordIndex EmptyIndex(std::size_t length) {
  WordIndex index;
  index.groupHeads.assign(length / 16 + 1, 0);
  index.entries.reserve(length / 6);
  return index;
}

template <std::size_t Slots>
WordIndex IndexLists(const std::array<std::string, Slots>& lists) {
  std::size_t length = 0;
  for (const std::string& list : lists) length += list.size();
  WordIndex index = EmptyIndex(length);
  for (int slot = Slots - 1; slot >= 1; --slot) AddListedWords(index, slot, lists[slot]);
  return index;
}

// Only a single word is looked up in an index; anything else (the rest of a long command, a
// pronoun's marker) is looked for in every text.
bool IsSingleWord(std::string_view word) {
  return !word.empty() && word.find(' ') == std::string_view::npos;
}

// Calls visit(entry) for each entry with `hash`, in ascending order of slot.
template <typename Visit>
void ForEachEntryHashedAs(const WordIndex& index, std::uint32_t hash, Visit visit) {
  const std::size_t group = GroupOf(hash, index.groupHeads.size());
  for (std::uint32_t number = index.groupHeads[group]; number != 0;) {
    const WordIndex::Entry& entry = index.entries[number - 1];
    if (entry.hash == hash) visit(entry);
    number = entry.next;
  }
}

// Whether `word` stands in `list` at `offset`, followed by a blank.
bool StandsAt(std::string_view list, std::size_t offset, std::string_view word) {
  return offset + word.size() < list.size() && list[offset + word.size()] == ' ' &&
         list.compare(offset, word.size(), word) == 0;
}

WordIndex IndexIds(const ObjectTable::Column<std::string>& ids) {
  // As many groups as Ids, two at most a group.
  WordIndex index = EmptyIndex(16 * kObjectSlots);
  for (int slot = kObjectSlots; slot >= 1; --slot) {
    index.longestText = std::max(index.longestText, ids[slot].size());
    AddWord(index, slot, ids[slot], 0);
  }
  return index;
}

bool IsIndexed(const WordIndex& index) { return !index.groupHeads.empty(); }

const WordIndex& VerbWordIndex(const VerbTable& verbs) {
  if (!IsIndexed(verbs.wordIndex)) verbs.wordIndex = IndexLists(verbs.VerbWords);
  return verbs.wordIndex;
}

const WordIndex& NounIndex(const ObjectTable& objects) {
  if (!IsIndexed(objects.nounIndex)) objects.nounIndex = IndexLists(objects.ObjectNouns);
  return objects.nounIndex;
}

const WordIndex& IdIndex(const ObjectTable& objects) {
  if (!IsIndexed(objects.idIndex)) objects.idIndex = IndexIds(objects.ObjectId);
  return objects.idIndex;
}

}  // namespace

void IndexWords(const World& world) {
  world.verbs.wordIndex = IndexLists(world.verbs.VerbWords);
  world.objects.nounIndex = IndexLists(world.objects.ObjectNouns);
  world.objects.idIndex = IndexIds(world.objects.ObjectId);
}

SlotList VerbEntriesNaming(const World& world, std::string_view word) {
  const VerbTable& verbs = world.verbs;
  const WordIndex& index = VerbWordIndex(verbs);
  SlotList found;
  if (word.size() > index.longestText) return found;
  if (IsSingleWord(word)) {
    ForEachEntryHashedAs(index, HashOf(word), [&](const WordIndex::Entry& entry) {
      if (StandsAt(verbs.VerbWords[entry.slot], entry.offset, word)) found.Add(entry.slot);
    });
    return found;
  }
  for (int entry = 1; entry <= kVerbSlots; ++entry) {
    if (HasWord(verbs.VerbWords[entry], word)) found.Add(entry);
  }
  return found;
}

SlotList ObjectsNaming(const World& world, std::string_view word) {
  const ObjectTable& objects = world.objects;
  const WordIndex& nouns = NounIndex(objects);
  const WordIndex& ids = IdIndex(objects);
  SlotList found;
  if (word.size() > std::max(nouns.longestText, ids.longestText)) return found;
  if (IsSingleWord(word)) {
    // A slot may name the word both ways; the two indexes' answers are merged in slot order.
    static_assert(kObjectSlots < 64, "a slot is one bit of a 64-bit set");
    std::uint64_t named = 0;
    const std::uint32_t hash = HashOf(word);
    ForEachEntryHashedAs(nouns, hash, [&](const WordIndex::Entry& entry) {
      if (StandsAt(objects.ObjectNouns[entry.slot], entry.offset, word)) {
        named |= std::uint64_t{1} << entry.slot;
      }
    });
    ForEachEntryHashedAs(ids, hash, [&](const WordIndex::Entry& entry) {
      if (objects.ObjectId[entry.slot] == word) named |= std::uint64_t{1} << entry.slot;
    });
    for (; named != 0; named &= named - 1) found.Add(std::countr_zero(named));
    return found;
  }
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (HasWord(objects.ObjectNouns[slot], word) || objects.ObjectId[slot] == word) {
      found.Add(slot);
    }
  }
  return found;
}

int FindObjectSlot(const ObjectTable& objects, std::string_view id) {
  const WordIndex& index = IdIndex(objects);
  // Ids are indexed whole, whatever they hold, and the entries come in ascending order of
  // slot: the last match is the highest, which decides.
  int found = 0;
  if (id.size() > index.longestText) return found;
  ForEachEntryHashedAs(index, HashOf(id), [&](const WordIndex::Entry& entry) {
    if (objects.ObjectId[entry.slot] == id) found = entry.slot;
  });
  return found;
}

}  // namespace vortila
