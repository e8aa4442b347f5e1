#pragma once

#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/game.h"
#include "app/qt/look.h"
#include "screen/window.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;

namespace vortila {

class PicturePane;
class StoryPane;

// What a file dialog of the menu is for.
enum class FileDialogPurpose { Save, Load };
// Asks the player for a saved game's file, starting in `folder`; nothing when the player
// cancels. The window opens a file dialog; a test answers in its place.
using FileChooser = std::function<std::optional<std::filesystem::path>(
    FileDialogPurpose purpose, const std::filesystem::path& folder)>;

// The window `Output`: the story pane, whose last 25 lines are the text screen, above the
// command box, and beside them the picture pane over the inventory frame; above them the
// menus "Partita" and "Vista". Its key events drive the game; the window ends the program
// through EndProgram, which leaves the event loop once the key event that asked for it has
// returned.
class OutputWindow final : public QWidget, public Window {
 public:
  explicit OutputWindow(GameFolders folders);

  // Starts the game: the window is shown with its first page. Throws StartupError.
  void Start();
  bool Ended() const { return game_.ended; }
  // Empty, or what went wrong as the program ended, for the player to be told.
  const std::string& Problem() const { return problem_; }
  Game& game() { return game_; }

  void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

  void ScrollTextlines() override;
  void SetTextline(int row, std::string_view text) override;
  std::string TextInput() const override;
  void SetTextInput(std::string_view text) override;
  void SetInventarietto(std::string_view text) override;
  void ShowImmagine(std::string_view fileName, std::string_view description) override;
  void ShowOutput() override;
  WindowSettings CurrentSettings() const override;
  void ApplySettings(WindowSettings settings) override;
  void EndProgram(std::string_view problem) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void BuildMenus();
  void BuildGameMenu(QMenu& menu);
  void BuildViewMenu(QMenu& menu);
  bool HandleKey(const QKeyEvent& key);
  bool IsMenuShortcut(const QKeyEvent& key) const;
  void RunInGame(const std::function<void()>& work);

  void SaveFromMenu();
  void LoadFromMenu();
  void ResumeFromMenu();
  void UndoFromMenu();
  void RestartFromMenu();

  void Zoom(int steps);
  void ToggleFullScreen(bool full);
  void ApplyLook();
  void FitFont();
  void ShowInventory();

  StoryPane* textlines_;
  QLabel* prompt_;
  QLineEdit* textInput_;
  PicturePane* immagine_;
  QGroupBox* inventario_;
  QLabel* inventarietto_;
  QMenuBar* menus_;
  QAction* resume_ = nullptr;
  QAction* fullScreen_ = nullptr;

  // The carried things as the game last listed them, one a line.
  QStringList inventory_;
  // Steps of a tenth of the size that fits the window: 0 fits, +1 is a tenth larger.
  int zoom_ = 0;
  LookChoice look_ = LookChoice::System;
  FileChooser chooseFile_;
  std::string problem_;
  Game game_;
};

}  // namespace vortila
