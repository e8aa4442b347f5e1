#pragma once

#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "app/game.h"
#include "screen/screen.h"
#include "screen/window.h"

class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace vortila {

class PicturePane;

// The window `Output`: the 25 rows of the text screen above the command box, and beside
// them the picture pane over the inventory frame. Its key events drive the game; the
// window ends the program through EndProgram, which leaves the event loop once the key
// event that asked for it has returned.
class OutputWindow final : public QWidget, public Window {
 public:
  explicit OutputWindow(GameFolders folders);

  // Starts the game: the window is shown with its first page. Throws StartupError.
  void Start();
  bool Ended() const { return game_.ended; }
  // Empty, or what went wrong as the program ended, for the player to be told.
  const std::string& Problem() const { return problem_; }
  Game& game() { return game_; }

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
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool HandleKey(const QKeyEvent& key);
  void RunInGame(const std::function<void()>& work);
  void FitFont();
  void FadeOldestRows();

  QFrame* screen_;
  std::array<QLabel*, kScreenRows> textlines_{};
  QLabel* prompt_;
  QLineEdit* textInput_;
  PicturePane* immagine_;
  QGroupBox* inventario_;
  QLabel* inventarietto_;
  std::string problem_;
  Game game_;
};

}  // namespace vortila
