#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "app/game.h"

namespace vortila {

inline constexpr std::string_view kSettingsFileName = "iniziale.ini";
// The short description of each picture, beside the pictures; a game without it shows its
// pictures undescribed.
inline constexpr std::string_view kPictureDescriptionsFileName = "descrizioni.txt";
// The game kept when the window is closed in the middle of it.
inline constexpr std::string_view kResumeFileName = "ripresa.sav";

// Starts a new game, also at every restart: the first picture, the window settings, the
// banner and the introduction, both data files, the player in the starting room. The
// screen, the history and the transcript carry over. Throws StartupError.
void StartGame(Game& game);

// The two values of iniziale.ini's text, or nothing when they are not two numbers.
std::optional<WindowSettings> ReadWindowSettings(std::string_view text);

// Applies the two values of iniziale.ini to the window. A missing file stops the start
// (StartupError); values that are not numbers leave the window as it is.
void LoadWindowSettings(Game& game);

// Writes the window's two values to iniziale.ini; false when the file cannot be written.
bool SaveWindowSettings(Game& game);

// Ends the program: the transcript is closed and the front end told; no key reaches the
// game afterwards. `problem` is empty on an orderly end.
void EndGame(Game& game, std::string_view problem);

// The orderly end, for the quit command: the settings are saved, then the program ends.
void QuitGame(Game& game);

// Closing the window, the terminal, or the end of the text stream's input: a game in the
// middle of play is kept in ripresa.sav (written as any save is), then the orderly end.
// Nothing is kept during the introduction or once the game has ended, and an older
// ripresa.sav is then left as it is: it holds a game interrupted earlier, which the
// player may still want to take up. Every front end calls this when it is closed.
void CloseGame(Game& game);

// What closing keeps, with the game going on: a front end that cannot count on being told
// when it is closed (a web page) keeps the game whenever it may be about to be. False when
// ripresa.sav cannot be written.
bool KeepInterruptedGame(Game& game);

// Saving and loading a file the player chose in a dialog, through the same save and load
// the typed commands use and with the same messages on the screen. Neither costs any time.
// A load is a step that can be undone; one made after the game has ended brings the loaded
// game back into play, since the window's menu, unlike the typed answers, reaches it there.
void SaveGameAs(Game& game, const std::filesystem::path& file);
void LoadGameFrom(Game& game, const std::filesystem::path& file);

// Whether there is an interrupted game to take up (ripresa.sav exists), and taking it up,
// for the menu entry "Riprendi la partita interrotta". The typed "carica ripresa" does the
// same.
bool CanResume(const Game& game);
void ResumeGame(Game& game);

// Runs `work` on the rules' view of the game, whose restart and quit are this program's.
void WithRules(Game& game, const std::function<void(Rules&)>& work);

}  // namespace vortila
