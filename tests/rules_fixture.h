#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

#include "app/game.h"
#include "app/stream/stream_session.h"
#include "test_support.h"

namespace vortila::testing {

// The delivered game, played through the text stream from the first turn after the
// introduction. A test may set the world up as the story would have left it, then type
// commands and read what they printed.
class RulesTest : public ::testing::Test {
 protected:
  RulesTest() {
    folder.WithGameData();
    session.Start();
    while (session.TextInput() == kPagePrompt) session.Enter("");
  }

  // Types a command and returns every line it printed, each ended by a line break.
  std::string Do(std::string_view command) {
    const std::size_t from = out.size();
    session.Enter(command);
    return out.substr(from);
  }

  // The same, read as running text: the screen's line breaks become blanks, so that a
  // sentence can be looked for wherever the screen happened to wrap it.
  std::string Said(std::string_view command) {
    std::string text = Do(command);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
  }

  Game& game() { return session.game(); }
  World& world() { return session.game().world; }
  int Slot(std::string_view id) { return FindObjectSlot(world().objects, id); }
  std::string& Location(std::string_view id) {
    return world().objects.ObjectLocation.Change(Slot(id));
  }
  std::string& Flags(std::string_view id) { return world().objects.ObjectFlags.Change(Slot(id)); }

  // The player stands in `room`, which becomes the room of the game.
  void PlacePlayer(std::string_view room) {
    world().objects.ObjectLocation.Change(1) = room;
    world().CurrentRoom = Slot(room);
  }
  // The vessel as the return of the power leaves it: lit, with its consoles and its spider.
  void RestorePowerByHand() {
    for (int slot = 1; slot <= kObjectSlots; ++slot) {
      if (world().objects.ObjectLocation[slot] == "vortila") {
        world().objects.ObjectLocation.Change(slot) = "vortila2";
      }
    }
    for (std::string_view gone :
         {"alcova_sinistra", "alcova_destra", "bruciatura", "cose", "soffitto"}) {
      Location(gone) = "n";
    }
    PlacePlayer("vortila2");
    Flags("torcia") = "%f%A";
  }
  // The button has filled the vessel with air at the wheel's setting.
  void PressButtonByHand(int wheel) {
    Location("tasto") = "vortila2";
    Flags("tasto") = "%(premuto)%s";
    world().WheelPosition = wheel;
  }

  TempFolder folder;
  std::string out;
  StreamSession session{out, folder.path()};
};

}  // namespace vortila::testing
