#include "world/world.h"

namespace vortila {

bool HasWord(std::string_view words, std::string_view word) {
  if (word.size() + 2 > words.size()) return false;
  // Looking for the word's first character is quicker than for the blank in front of it,
  // which every word of the list has.
  const char first = word.empty() ? ' ' : word.front();
  for (std::size_t at = words.find(first, 1); at != std::string_view::npos; at = words.find(first, at + 1)) {
    if (at + word.size() >= words.size()) return false;
    if (words[at - 1] == ' ' && words[at + word.size()] == ' ' &&
        words.compare(at, word.size(), word) == 0) {
      return true;
    }
  }
  return false;
}

int FindObjectSlot(const ObjectTable& objects, std::string_view id) {
  int found = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectId[slot] == id) found = slot;
  }
  return found;
}

}  // namespace vortila
