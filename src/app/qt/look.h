#pragma once

#include <QPalette>

namespace vortila {

// The two looks of the window, and the player's choice between them.
enum class LookChoice { System, Light, Dark };

// Dark text on white, as the game has always been shown.
const QPalette& LightLook();
// Light text on a dark grey, for a dark room or a dark desktop.
const QPalette& DarkLook();

// The look the choice stands for; "System" follows the desktop's colours as they are now.
const QPalette& LookFor(LookChoice choice);

}  // namespace vortila
