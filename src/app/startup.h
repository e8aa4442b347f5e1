#pragma once

#include "app/game.h"

namespace vortila {

inline constexpr std::string_view kSettingsFileName = "iniziale.ini";

// Starts a new game, also at every restart: the first picture, the window settings, the
// banner and the introduction, both data files, the player in the starting room. The
// screen, the history and the transcript carry over. Throws StartupError.
void StartGame(Game& game);

// Applies the two values of iniziale.ini to the window. A missing file stops the start
// (StartupError); values that are not numbers leave the window as it is.
void LoadWindowSettings(Game& game);

// Writes the window's two values to iniziale.ini; false when the file cannot be written.
bool SaveWindowSettings(Game& game);

// Ends the program: the transcript is closed and the front end told; no key reaches the
// game afterwards. `problem` is empty on an orderly end.
void EndGame(Game& game, std::string_view problem);

// The orderly end, for the quit command and for closing the window alike: the settings
// are saved, then the program ends.
void QuitGame(Game& game);

}  // namespace vortila
