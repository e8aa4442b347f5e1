#pragma once

#include <filesystem>
#include <string_view>

#include "rules/rules.h"

// Saving and loading a game in a file the program around the rules names (a file dialog's
// choice, the game kept when the window closes), with the messages the typed commands give.
namespace vortila {

// Saves the game in `file` and tells it as saving under `name` ("prova.sav") does.
void SaveNamedGame(Rules& rules, const std::filesystem::path& file, std::string_view name);

// Loads the game from `file` as the command that names it `word` does: prints the word,
// then the confirmation naming `name` (the word with ".sav"), or the error with the game
// unchanged. Whether the game was loaded.
bool LoadNamedGame(Rules& rules, const std::filesystem::path& file, std::string_view word,
                   std::string_view name);

}  // namespace vortila
