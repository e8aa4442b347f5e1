#pragma once

#include "screen/window.h"
#include "world/world.h"

namespace vortila {

// Rebuilds the inventory label: one line per carried object, "> " and its title, "*" when
// it is worn, and one "+" for each visible thing inside a carried open container. During
// the introduction (StoryClock below 6) the label keeps what it showed.
void UpdateInventory(const World& world, Window& window);

}  // namespace vortila
