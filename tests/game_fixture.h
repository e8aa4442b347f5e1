#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "app/game.h"
#include "app/keys.h"
#include "app/startup.h"
#include "test_support.h"

namespace vortila::testing {

// A game in a folder of its own with the data as delivered, driven through the same two
// key entry points a player's keys reach.
class GameTest : public ::testing::Test {
 protected:
  GameTest() { folder.WithGameData(); }

  void Type(std::string_view text) {
    window.commandBox = text;
    KeyPress(game, kEnterKey);
  }
  void PressEnter() { KeyPress(game, kEnterKey); }
  void PageThroughIntroduction() {
    while (window.commandBox == kPagePrompt) PressEnter();
  }
  // Starts a game and reads the whole introduction, as a player does before the first turn.
  void StartAndPlay() {
    StartGame(game);
    PageThroughIntroduction();
  }
  // Whether one of the 25 rows shows exactly `line`.
  bool Shows(std::string_view line) const {
    const auto rows = game.screen.Textlines.InOrder();
    return std::find(rows.begin(), rows.end(), line) != rows.end();
  }
  std::string& Location(std::string_view id) {
    return game.world.objects.ObjectLocation.Change(FindObjectSlot(game.world.objects, id));
  }

  TempFolder folder;
  RecordingWindow window;
  Game game{window, folder.path()};
};

}  // namespace vortila::testing
