#include "parser/object_services.h"

#include <bitset>
#include <string>

#include "parser/recognise_verb.h"
#include "world/files.h"

namespace vortila {

namespace {

bool HidesContents(std::string_view flags) {
  return HasCode(flags, "%c") && !HasCode(flags, "%t") && !HasCode(flags, "%O");
}

// The one-letter codes of an object's flags ("%W" worn, "%c" a container), read in one pass
// for all of them: the inventory asks several of every object it lists, and a search for
// each would go over the flags again, stopping at every "%". A code counts wherever it
// stands, as HasCode finds it.
class FlagLetters {
 public:
  explicit FlagLetters(std::string_view flags) {
    for (std::size_t at = 0; at + 1 < flags.size(); ++at) {
      if (flags[at] == '%') letters_[static_cast<unsigned char>(flags[at + 1])] = true;
    }
  }
  bool Has(char letter) const { return letters_[static_cast<unsigned char>(letter)]; }

 private:
  std::bitset<256> letters_;
};

// Appends one "+" per object inside `holder` that is not fixed in place, when `holder` is an
// open container; a closed or sealed one shows nothing of what it holds.
void AppendVisibleContentMarks(const ObjectTable& objects, int holder, const FlagLetters& codes,
                               std::string& text) {
  if (!codes.Has('c') || codes.Has('k') || codes.Has('o')) return;
  // Counted first and appended at once: nothing is written to the label during the search,
  // so that the holder's Id need not be read again for every slot.
  const std::string& id = objects.ObjectId[holder];
  std::size_t marks = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] == id && !HasCode(objects.ObjectFlags[slot], "%s")) ++marks;
  }
  text.append(marks, '+');
}

// Where `mark` ('%' on, '$' off), "(", `name` and ")" first stand in `flags`, or npos: each
// "(" is looked at, rarer in flags than the first letter of a name, and what stands around
// it checked, rather than the whole text built.
std::size_t FindNamedFlag(std::string_view flags, char mark, std::string_view name) {
  for (std::size_t open = flags.find('(', 1); open != std::string_view::npos;
       open = flags.find('(', open + 1)) {
    const std::size_t close = open + 1 + name.size();
    if (flags[open - 1] == mark && close < flags.size() && flags[close] == ')' &&
        flags.compare(open + 1, name.size(), name) == 0) {
      return open - 1;
    }
  }
  return std::string_view::npos;
}

bool IsListedByName(std::string_view flags) {
  return !HasCode(flags, "%R") && !HasCode(flags, "%s") && !HasCode(flags, "%i");
}

}  // namespace

bool IsInScope(const ObjectTable& objects, int object) {
  if (object < 0 || object > kObjectSlots) return false;
  const std::string& playerRoom = objects.ObjectLocation[1];
  // Fifty objects make at most fifty holders in a row; a longer chain has come back on
  // itself and leads nowhere the player is.
  for (int step = 0; step <= kObjectSlots; ++step) {
    const std::string& location = objects.ObjectLocation[object];
    if (location == kEverywhere || location == playerRoom) return true;
    // Of several objects sharing the holder's Id, the last one decides.
    const int holder = FindObjectSlot(objects, location);
    if (holder == 0 || HidesContents(objects.ObjectFlags[holder])) return false;
    object = holder;
  }
  return false;
}

std::string_view ReadBracketText(std::string_view text, std::size_t codePosition) {
  const std::size_t start = codePosition + 3;
  if (start >= text.size()) return {};
  const std::size_t end = text.find(']', start);
  return text.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string_view CodeArgument(std::string_view flags, std::string_view code) {
  const std::size_t position = flags.find(code);
  if (position == std::string_view::npos) return {};
  return ReadBracketText(flags, position);
}

void ListContents(ParserState& parser, const ObjectTable& objects, Screen& screen,
                  std::string_view header, std::string_view holder) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    const std::string& flags = objects.ObjectFlags[slot];
    if (!HasCode(flags, "%i") || objects.ObjectLocation[slot] != holder) continue;
    PrintText(screen, CodeArgument(flags, "%i"));
    RememberPronoun(parser, objects, slot);
  }

  int count = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] == holder && IsListedByName(objects.ObjectFlags[slot])) {
      ++count;
    }
  }
  if (count == 0) return;
  PrintOpen(screen, header);
  int named = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] != holder || !IsListedByName(objects.ObjectFlags[slot])) {
      continue;
    }
    PrintOpen(screen, objects.ObjectTitle[slot]);
    ++named;
    if (named < count - 1) PrintOpen(screen, ", ");
    if (named == count - 1) PrintOpen(screen, " e ");
    if (named == count) PrintText(screen, ".");
  }
}

void UpdateInventory(const World& world, Screen& screen) {
  if (world.StoryClock < 6) return;
  const ObjectTable& objects = world.objects;
  // Most turns carry, drop and open nothing: the label stays as it was made.
  if (screen.InventoryMadeFrom == objects.PlayVersion()) return;
  // Made in the storage of the label it replaces, which is most often as long.
  std::string text = std::move(screen.Inventory);
  text.clear();
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] != kPlayerId) continue;
    const FlagLetters codes(objects.ObjectFlags[slot]);
    text += "> ";
    text += objects.ObjectTitle[slot];
    if (codes.Has('W')) text += '*';
    AppendVisibleContentMarks(objects, slot, codes, text);
    text += '\r';
  }
  SetInventoryLabel(screen, std::move(text));
  screen.InventoryMadeFrom = objects.PlayVersion();
}

void ShowObjectPicture(const World& world, Screen& screen, int object) {
  const std::string& flags = world.objects.ObjectFlags[object];
  if (!HasCode(flags, "%I") || world.StoryClock < 1) return;
  // Pictures lie in the game's folder; a name with a folder in it is not one of them.
  const std::string_view name = CodeArgument(flags, "%I");
  if (IsPlainFileName(name)) ShowPicture(screen, name);
}

void ToggleNamedFlag(ObjectTable& objects, int object, std::string_view name) {
  const std::string& flags = objects.ObjectFlags[object];
  if (const std::size_t at = FindNamedFlag(flags, '%', name); at != std::string::npos) {
    objects.ObjectFlags.Change(object)[at] = '$';
  } else if (const std::size_t at = FindNamedFlag(flags, '$', name); at != std::string::npos) {
    objects.ObjectFlags.Change(object)[at] = '%';
  }
}

bool HasNamedFlag(const ObjectTable& objects, int object, std::string_view name) {
  return FindNamedFlag(objects.ObjectFlags[object], '%', name) != std::string_view::npos;
}

int CountContents(const ObjectTable& objects, int object) {
  return CountObjectsAt(objects, objects.ObjectId[object]);
}

int CountObjectsAt(const ObjectTable& objects, std::string_view place) {
  int count = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] == place) ++count;
  }
  return count;
}

}  // namespace vortila
