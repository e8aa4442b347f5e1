#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/game.h"
#include "screen/screen.h"
#include "screen/window.h"

// The game as a plain text stream: each input line is one press of Enter, and every line
// the screen shows is written once, in its final form, when it scrolls up from the bottom
// row or when the key event ends with it still unwritten. Pictures appear as
// "[immagine NNN.pkd] description" lines, each after the line in progress when it was
// shown, and a held page as a "(premi INVIO)" line.
namespace vortila {

class StreamSession final : public Window {
 public:
  // What the session writes, whole lines with their line ends, is appended to `output` as it
  // comes. The session keeps nothing back: whoever owns the output decides when it goes out,
  // and empties it then.
  StreamSession(std::string& output, GameFolders folders);

  // Starts the game. Throws StartupError.
  void Start();
  // One line of input: a non-empty line replaces the command box, then Enter is pressed.
  void Enter(std::string_view inputLine);
  // The end of input, which closes the window: a game in play is kept in ripresa.sav.
  void Close();

  bool Ended() const { return ended_; }
  // Empty, or what went wrong as the program ended.
  const std::string& Problem() const { return problem_; }
  const Game& game() const { return game_; }
  // The game itself, for a harness that sets up a situation before it plays on.
  Game& game() { return game_; }

  void ScrollTextlines() override;
  void SetTextline(int row, std::string_view text) override;
  std::string TextInput() const override { return commandBox_; }
  void SetTextInput(std::string_view text) override { commandBox_ = text; }
  void SetInventarietto(std::string_view) override {}
  void ShowImmagine(std::string_view fileName, std::string_view description) override;
  void ShowOutput() override {}
  WindowSettings CurrentSettings() const override { return settings_; }
  void ApplySettings(WindowSettings settings) override { settings_ = settings; }
  void EndProgram(std::string_view problem) override;

 private:
  void FinishKeyEvent();
  // Writes the bottom row, `bottom`, unless it has been written, then the pictures that
  // waited for it.
  void WriteBottomRow(std::string_view bottom);
  void WriteLine(std::string_view line);

  std::string& output_;
  bool bottomWritten_ = true;
  // The bottom row as the end of a key event last wrote it.
  std::string writtenAtEnd_;
  // The bottom row has scrolled in since it was last set: whatever is set there is a new line.
  bool bottomIsNewLine_ = true;
  std::vector<std::string> pictureLines_;
  std::string commandBox_;
  // A text stream has no geometry: the values of iniziale.ini are kept and written back.
  WindowSettings settings_{kDefaultWindowSettings};
  bool ended_ = false;
  std::string problem_;
  Game game_;
};

}  // namespace vortila
