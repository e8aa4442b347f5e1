#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The command line the three programs share: --data and --saves choose the two folders,
// --help and --version answer and end the program.
namespace vortila {

struct LaunchOptions {
  enum class Action { kPlay, kHelp, kVersion, kMistake };
  Action action = Action::kPlay;
  std::optional<std::filesystem::path> data;
  std::optional<std::filesystem::path> saves;
  // For kMistake: what is wrong, in a sentence for the player.
  std::string mistake;
};

// What a program says of itself under --help: its name and what the player gets from it.
struct ProgramAbout {
  std::string_view name;
  std::string_view summary;
};

// Reads the arguments that follow the program's name. "--data DIR" and "--data=DIR" are
// the same; an option given twice keeps its last value. --help or --version anywhere wins
// over everything else, so that a player who asks for help gets it.
LaunchOptions ReadLaunchOptions(const std::vector<std::string>& arguments);

// Answers --help and --version on `out`, and a mistaken command line on `err`, and gives the
// status the program should end with; gives nothing when the options ask to play.
std::optional<int> AnswerLaunchOptions(const LaunchOptions& options, const ProgramAbout& about,
                                       std::ostream& out, std::ostream& err);

}  // namespace vortila
