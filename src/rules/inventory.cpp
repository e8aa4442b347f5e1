#include <string>

#include "rules/handlers.h"

namespace vortila {

namespace {

bool IsWorn(const Rules& rules, int slot) { return HasCode(FlagsOf(rules, slot), "%W"); }

// What a holder shows of its contents: all that is not worn, and inside a container
// nothing fixed to it either.
bool IsListedIn(const Rules& rules, int holder, int slot) {
  if (rules.world.objects.ObjectLocation[slot] != rules.world.objects.ObjectId[holder])
    return false;
  return !IsWorn(rules, slot) && (holder == 1 || !HasCode(FlagsOf(rules, slot), "%s"));
}

int CountListed(const Rules& rules, int holder) {
  int count = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (IsListedIn(rules, holder, slot)) ++count;
  }
  return count;
}

// After each title: a comma while more than one is to come, " e " before the last, and the
// end of the sentence, or of the bracket, after it.
void PrintSeparator(Rules& rules, int remaining, int holder) {
  if (remaining > 1) PrintOpen(rules.screen, ", ");
  if (remaining == 1) PrintOpen(rules.screen, " e ");
  if (remaining == 0) {
    if (holder == 1) {
      PrintText(rules.screen, ".");
    } else {
      PrintOpen(rules.screen, ")");
    }
  }
}

void ListHeld(Rules& rules, int holder, int& remaining, int depth);

// A carried container says whether it is open, and what it holds when that can be seen.
void PrintContainerState(Rules& rules, int container, int depth) {
  const std::string& flags = FlagsOf(rules, container);
  const bool feminine = HasCode(flags, "%f");
  if (HasCode(flags, "%o")) {
    PrintOpen(rules.screen, " (che è chius");
    PrintOpen(rules.screen, feminine ? "a)" : "o)");
    return;
  }
  const bool open = HasCode(flags, "%O");
  const bool transparent = HasCode(flags, "%t");
  if (open) {
    PrintOpen(rules.screen, " (che è apert");
    PrintOpen(rules.screen, feminine ? "a e " : "o e ");
  } else if (transparent) {
    PrintOpen(rules.screen, " (che ");
  }
  if (!open && !transparent) return;
  int inside = CountListed(rules, container);
  if (inside == 0) {
    PrintOpen(rules.screen, "non contiene nulla)");
  } else {
    PrintOpen(rules.screen, "contiene ");
    ListHeld(rules, container, inside, depth + 1);
  }
}

void ListHeld(Rules& rules, int holder, int& remaining, int depth) {
  for (int slot = 1; slot <= kObjectSlots && remaining > 0; ++slot) {
    if (!IsListedIn(rules, holder, slot)) continue;
    PrintOpen(rules.screen, TitleOf(rules, slot));
    // Two objects sharing an Id can hold each other; fifty levels are more than the
    // world has, so deeper ones are left unsaid rather than listed without end.
    if (HasCode(FlagsOf(rules, slot), "%c") && depth < kObjectSlots) {
      PrintContainerState(rules, slot, depth);
    }
    --remaining;
    PrintSeparator(rules, remaining, holder);
  }
}

void ListWorn(Rules& rules) {
  int remaining = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (IsCarried(rules, slot) && IsWorn(rules, slot)) ++remaining;
  }
  if (remaining == 0) {
    PrintText(rules.screen, "Tra l'altro in questo momento sei nudo come un verme!");
    return;
  }
  PrintOpen(rules.screen, "Invece stai indossando ");
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (!IsCarried(rules, slot) || !IsWorn(rules, slot)) continue;
    PrintOpen(rules.screen, TitleOf(rules, slot));
    --remaining;
    PrintSeparator(rules, remaining, 1);
  }
}

}  // namespace

void ShowInventory(Rules& rules) {
  int carried = CountListed(rules, 1);
  if (carried == 0) {
    PrintText(rules.screen, "Non hai in mano nulla.");
  } else {
    PrintOpen(rules.screen, "Hai con te ");
    ListHeld(rules, 1, carried, 0);
  }
  ListWorn(rules);
}

}  // namespace vortila
