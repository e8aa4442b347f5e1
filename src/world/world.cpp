#include "world/world.h"

#include <algorithm>

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

// The words of a list that stand between two blanks; a list without its padding blanks
// holds no word whole, as HasWord sees it.
template <typename Visit>
void ForEachListedWord(std::string_view words, Visit visit) {
  std::size_t start = words.find(' ');
  while (start != std::string_view::npos) {
    const std::size_t end = words.find(' ', start + 1);
    if (end == std::string_view::npos) return;
    if (end > start + 1) visit(words.substr(start + 1, end - start - 1));
    start = end;
  }
}

void Add(WordIndex::Slots& index, std::string_view word, int slot) {
  auto found = index.find(word);
  if (found == index.end()) found = index.emplace(std::string(word), std::vector<int>()).first;
  if (found->second.empty() || found->second.back() != slot) found->second.push_back(slot);
}

// Only a single word can be looked up in the index; anything else (the rest of a long
// command, a pronoun's marker) is searched for in the lists themselves.
bool IsSingleWord(std::string_view word) {
  return !word.empty() && word.find(' ') == std::string_view::npos;
}

std::vector<int> Indexed(const WordIndex::Slots& index, std::string_view word) {
  const auto found = index.find(word);
  return found == index.end() ? std::vector<int>() : found->second;
}

}  // namespace

void IndexWords(World& world) {
  WordIndex& index = world.wordIndex;
  index = WordIndex();
  const auto measure = [&](std::string_view text) {
    index.longestList = std::max(index.longestList, text.size());
  };
  for (int entry = 0; entry <= kVerbSlots; ++entry) {
    measure(world.verbs.VerbWords[entry]);
    ForEachListedWord(world.verbs.VerbWords[entry],
                      [&](std::string_view word) { Add(index.verbEntries, word, entry); });
  }
  for (int slot = 0; slot <= kObjectSlots; ++slot) {
    measure(world.objects.ObjectNouns[slot]);
    measure(world.objects.ObjectId[slot]);
    ForEachListedWord(world.objects.ObjectNouns[slot],
                      [&](std::string_view word) { Add(index.objects, word, slot); });
    if (!world.objects.ObjectId[slot].empty()) {
      Add(index.objects, world.objects.ObjectId[slot], slot);
    }
  }
}

std::vector<int> VerbEntriesNaming(const World& world, std::string_view word) {
  if (word.size() > world.wordIndex.longestList) return {};
  if (IsSingleWord(word)) return Indexed(world.wordIndex.verbEntries, word);
  std::vector<int> entries;
  for (int entry = 0; entry <= kVerbSlots; ++entry) {
    if (HasWord(world.verbs.VerbWords[entry], word)) entries.push_back(entry);
  }
  return entries;
}

std::vector<int> ObjectsNaming(const World& world, std::string_view word) {
  if (word.size() > world.wordIndex.longestList) return {};
  if (IsSingleWord(word)) return Indexed(world.wordIndex.objects, word);
  std::vector<int> slots;
  for (int slot = 0; slot <= kObjectSlots; ++slot) {
    if (HasWord(world.objects.ObjectNouns[slot], word) || world.objects.ObjectId[slot] == word) {
      slots.push_back(slot);
    }
  }
  return slots;
}

int FindObjectSlot(const ObjectTable& objects, std::string_view id) {
  int found = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectId[slot] == id) found = slot;
  }
  return found;
}

}  // namespace vortila
