#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "world/files.h"
#include "world/world.h"

// A saved game holds what play changes: where every object is, its flags, the story clock,
// the wheel and the room. Everything else comes from the data files.
namespace vortila {

struct SavedGame {
  ObjectTable::Column<std::string> locations;
  ObjectTable::Column<std::string> flags;
  int StoryClock = 0;
  int WheelPosition = 0;
  int CurrentRoom = 0;
};

// The saved game's file name for the word the player gave: ".sav" is added when missing.
std::string SavedGameFileName(std::string_view word);

// The file's text: for each object a line with its place and a line with its flags in
// double quotes, then the clock, the wheel and the room, 103 lines ending in CR LF.
std::string SavedGameText(const World& world);

// Reads a saved game's text whole, or nothing when any part is missing or out of range. A
// file that is not one the game wrote is turned away before anything in play changes.
std::optional<SavedGame> ParseSavedGame(std::string_view text);

// Whether a saved game is one that play could have reached in this world: every object in
// a place the rules know or inside another object, none inside itself through its holders,
// its flags those of the data file with only their codes switched, empty slots empty, the
// clock within the story and the room the one the player stands in. Saved games are
// exchanged between players, so nothing in one is taken on trust.
bool SavedGameFits(const World& world, const SavedGame& saved);

// Writes the game, replacing the file only once the new one is complete.
WriteOutcome SaveGameToFile(const World& world, const std::filesystem::path& path);

// A saved game file's bytes read and checked against the world it would be loaded into, or
// nothing when they are malformed or do not fit.
std::optional<SavedGame> ReadSavedGameFile(std::string bytes, const World& world);

// Reads a saved game file and checks it (ReadSavedGameFile); a missing, unreadable or
// oversized file gives nothing too.
std::optional<SavedGame> LoadGameFromFile(const std::filesystem::path& path, const World& world);

void ApplySavedGame(World& world, const SavedGame& saved);

}  // namespace vortila
