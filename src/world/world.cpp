#include "world/world.h"

namespace vortila {

int FindObjectSlot(const ObjectTable& objects, std::string_view id) {
  int found = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectId[slot] == id) found = slot;
  }
  return found;
}

}  // namespace vortila
