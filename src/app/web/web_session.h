#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/game.h"
#include "screen/screen.h"
#include "screen/window.h"

// The game behind the web page. The window's controls are kept here as data: the page hands
// over each key, then reads what changed and paints it once, so a key costs one repaint
// however many lines the game printed.
namespace vortila {

class WebSession final : public Window {
 public:
  // The folders are those of the page's file system: the data fetched from the site, and
  // the player's folder kept in the browser's storage.
  explicit WebSession(GameFolders folders);

  // Starts the game. Throws StartupError.
  void Start();
  // The keys of the command box, as the window passes them: every key to the key-down
  // handler, then Enter to the key-press handler.
  void PressKey(int keyCode);
  // Ctrl+Z: back to just before the last step, at any moment.
  void Undo();
  // A saved game the player chose on their computer, checked and loaded as the window's
  // menu loads one.
  void LoadFrom(const std::filesystem::path& file);
  bool CanResume() const;
  void Resume();
  // The page may be about to close: a game in the middle of play is kept in ripresa.sav, and
  // goes on. False when the file cannot be written.
  bool KeepInterrupted();

  // How many times the screen moved up since the last call. The page moves its own rows by
  // as many (all of them when it is 25 or more) before it compares the rows' texts.
  int TakeScrolledRows();
  const std::string& CommandBox() const { return commandBox_; }
  const std::string& Row(int row) const { return rows_.at(row); }
  const std::string& Inventory() const { return inventory_; }
  // The picture file shown, as the game names it, and what it shows; empty before the first.
  const std::string& Picture() const { return picture_; }
  const std::string& PictureDescription() const { return pictureDescription_; }
  bool Ended() const { return game_.ended; }
  // Empty, or what went wrong as the game ended.
  const std::string& Problem() const { return problem_; }

  void ScrollTextlines() override;
  void SetTextline(int row, std::string_view text) override;
  std::string TextInput() const override { return commandBox_; }
  void SetTextInput(std::string_view text) override { commandBox_ = text; }
  void SetInventarietto(std::string_view text) override { inventory_ = text; }
  void ShowImmagine(std::string_view fileName, std::string_view description) override;
  void ShowOutput() override {}
  // A page has no window geometry of its own: the values of iniziale.ini are kept and
  // written back as they were read.
  WindowSettings CurrentSettings() const override { return settings_; }
  void ApplySettings(WindowSettings settings) override { settings_ = settings; }
  void EndProgram(std::string_view problem) override { problem_ = problem; }

 private:
  template <typename Work>
  void RunInGame(Work work);

  std::array<std::string, kScreenRows> rows_;
  int scrolledRows_ = 0;
  std::string commandBox_;
  std::string inventory_;
  std::string picture_;
  std::string pictureDescription_;
  WindowSettings settings_{kDefaultWindowSettings};
  std::string problem_;
  Game game_;
};

}  // namespace vortila
