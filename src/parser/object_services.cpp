#include "parser/object_services.h"

#include <string>

namespace vortila {

namespace {

bool HasCode(const std::string& flags, std::string_view code) {
  return flags.find(code) != std::string::npos;
}

// One "+" per object inside `holder` that is not fixed in place, when `holder` is an open
// container; a closed or sealed one shows nothing of what it holds.
std::string VisibleContentMarks(const ObjectTable& objects, int holder) {
  const std::string& flags = objects.ObjectFlags[holder];
  if (!HasCode(flags, "%c") || HasCode(flags, "%k") || HasCode(flags, "%o")) return {};
  std::string marks;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] == objects.ObjectId[holder] &&
        !HasCode(objects.ObjectFlags[slot], "%s")) {
      marks += '+';
    }
  }
  return marks;
}

}  // namespace

void UpdateInventory(const World& world, Window& window) {
  if (world.StoryClock < 6) return;
  const ObjectTable& objects = world.objects;
  std::string text;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] != kPlayerId) continue;
    text += "> ";
    text += objects.ObjectTitle[slot];
    if (HasCode(objects.ObjectFlags[slot], "%W")) text += '*';
    text += VisibleContentMarks(objects, slot);
    text += '\r';
  }
  window.SetInventarietto(text);
}

}  // namespace vortila
