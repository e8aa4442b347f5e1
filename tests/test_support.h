#pragma once

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "screen/window.h"

namespace vortila::testing {

// The message of the StartupError that `load` throws, or "(no error)".
template <typename Load>
std::string StartupMessage(Load&& load) {
  try {
    load();
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "(no error)";
}

// A window that only remembers what the game did to it.
class RecordingWindow : public Window {
 public:
  void ScrollTextlines() override;
  void SetTextline(int row, std::string_view text) override { rows[row] = text; }
  std::string TextInput() const override { return commandBox; }
  void SetTextInput(std::string_view text) override { commandBox = text; }
  void SetInventarietto(std::string_view text) override { inventory = text; }
  void ShowImmagine(std::string_view fileName, std::string_view description) override {
    pictures.emplace_back(fileName);
    descriptions.emplace_back(description);
  }
  void ShowOutput() override { ++timesShown; }
  WindowSettings CurrentSettings() const override { return settings; }
  void ApplySettings(WindowSettings applied) override { settings = applied; }
  void EndProgram(std::string_view why) override {
    ended = true;
    problem = why;
  }

  std::array<std::string, 25> rows;
  std::string commandBox;
  std::string inventory;
  std::vector<std::string> pictures;
  std::vector<std::string> descriptions;
  int timesShown = 0;
  WindowSettings settings{kDefaultWindowSettings};
  bool ended = false;
  std::string problem;
};

// A fresh folder under the system's temporary directory, removed again at the end of the
// test; `WithGameData` fills it with the game's files as the build delivers them to the
// play folder.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  TempFolder& WithGameData();
  void Write(std::string_view name, std::string_view contents) const;
  std::string Read(std::string_view name) const;
  bool Has(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace vortila::testing
