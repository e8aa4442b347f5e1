#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "parser/parse_command.h"
#include "parser/parser_state.h"
#include "screen/screen.h"
#include "test_support.h"
#include "world/world.h"

namespace vortila::testing {

// A small world written in the test itself, and the parser run on it as the command loop
// runs it. What the parser printed is read back from the screen.
class ParserTest : public ::testing::Test {
 protected:
  void AddVerb(int slot, int code, std::string_view words, std::string_view pattern) {
    world.verbs.VerbCode[slot] = code;
    world.verbs.VerbWords[slot] = " " + std::string(words) + " ";
    world.verbs.VerbPatterns[slot] = pattern.empty() ? "%%" : pattern;
  }

  void AddObject(int slot, std::string_view id, std::string_view location, std::string_view title,
                 std::string_view nouns, std::string_view flags = "") {
    ObjectTable& objects = world.objects;
    objects.ObjectId[slot] = id;
    objects.ObjectLocation.Change(slot) = location;
    objects.ObjectTitle[slot] = title;
    objects.ObjectNouns[slot] = " " + std::string(nouns) + " ";
    objects.ObjectFlags.Change(slot) = flags;
    // The reader of the data file has the Ids indexed again; so does this, for the lookups
    // made before the next parse.
    IndexWords(world);
  }

  // The player stands in `room`, which becomes the current room.
  void PlacePlayer(std::string_view room) {
    world.objects.ObjectLocation.Change(1) = room;
    world.CurrentRoom = FindObjectSlot(world.objects, room);
  }

  int Slot(std::string_view id) const { return FindObjectSlot(world.objects, id); }

  // Parses `command` (typed lower-case and trimmed) and returns what was printed, one line
  // per screen line, each ended by a line break.
  std::string Parse(std::string_view command) {
    screen.LinesShown = 0;
    world.InputLine = command;
    // A test may have changed the words by hand since the last lookup.
    IndexWords(world);
    accepted = ParseCommand(parser, world, screen);
    return Printed();
  }

  // The lines shown since the command, as far as the screen still holds them.
  std::string Printed() const {
    std::string text;
    for (int row = std::max(0, kScreenRows - screen.LinesShown); row < kScreenRows; ++row) {
      text += screen.Textlines[row];
      text += '\n';
    }
    return text;
  }

  RecordingWindow window;
  Screen screen{window, "."};
  World world;
  ParserState parser;
  bool accepted = false;
};

}  // namespace vortila::testing
