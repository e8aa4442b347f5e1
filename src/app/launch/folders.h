#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/game.h"
#include "app/launch/options.h"

// Where a program reads the game's data and keeps the player's files. Run in a play folder
// (a folder that holds the data files, as ./play prepares one) it reads and writes there, as
// the game has always played. Installed, it reads the data installed with it and keeps the
// player's files in the player's XDG data folder, where players find them beside their other
// games'. --data and --saves choose either folder outright.
namespace vortila {

// What the choice depends on beyond the command line.
struct FolderPlaces {
  std::filesystem::path current;
  // Whether the current folder holds a data file: then it is a play folder.
  bool currentHoldsData = false;
  // share/vortila of the installation the program belongs to.
  std::filesystem::path installedData;
  std::optional<std::string> xdgDataHome;
  std::optional<std::string> home;
};

// The places of the program running: its current folder, its installation, its environment.
FolderPlaces PlacesOfThisProgram();

// Chooses the two folders. Throws StartupError when no player's folder can be named (an
// installed game with neither XDG_DATA_HOME nor HOME, and no --saves).
GameFolders ChooseFolders(const LaunchOptions& options, const FolderPlaces& places);

// Makes the player's folder ready before the game starts: creates it when `create` is set
// (the folder chosen by default; one named by --saves must exist), checks that the game can
// write there, and seeds it with the data folder's iniziale.ini when it has none. A folder
// that cannot be made ready throws StartupError naming it.
void PreparePlayerFolder(const GameFolders& folders, bool create);

// The folders of this program, made ready: the data folder is checked to hold the data files
// before anything is written, so that a start that cannot succeed leaves no trace. Throws
// StartupError.
GameFolders PrepareFolders(const LaunchOptions& options);

}  // namespace vortila
