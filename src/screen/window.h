#pragma once

#include <string>
#include <string_view>

namespace vortila {

// The two values that iniziale.ini keeps between runs: two adjacent geometry properties of
// the window, chosen by each front end (a front end without geometry keeps them as read).
struct WindowSettings {
  float first = 0;
  float second = 0;
};

// The values the game is delivered with: the window's width and height in pixels.
inline constexpr WindowSettings kDefaultWindowSettings{1000, 720};

// Everything the game shows or asks of the platform goes through this one interface, named
// after the controls of the game's window. A front end implements it and calls the engine
// once per key event; the engine calls back only from inside those calls.
class Window {
 public:
  virtual ~Window() = default;

  // Textlines: the 25 rows of the text screen, row 0 at the top, row 24 at the bottom.
  // The screen moved up by one row: row 0's text is gone and each row 0..23 now shows what
  // the row below it showed. Row 24 keeps its text until the SetTextline that follows.
  virtual void ScrollTextlines() = 0;
  // Row `row` (0..24) now shows `text`, one line of UTF-8 without line breaks.
  virtual void SetTextline(int row, std::string_view text) = 0;

  // TextInput: the one-line command box. What the player has typed so far, and replacing it.
  virtual std::string TextInput() const = 0;
  virtual void SetTextInput(std::string_view text) = 0;

  // Inventarietto: the label inside the frame "Inventario"; `text` holds one carried object
  // per line, each line ended by a carriage return.
  virtual void SetInventarietto(std::string_view text) = 0;

  // immagine: show the picture file `fileName` (a plain name like "002.pkd", never with a
  // folder in it, of a file in the game's data folder) in the picture pane, replacing the
  // one shown. Only a regular file is read (ReadRegularFile), so that no name can hang the
  // game; a file that cannot be read leaves the pane empty, and that is never the game's
  // error. `description` says in a short Italian sentence what the picture shows, for
  // whoever cannot see it (a screen reader, the text stream); it is empty for a picture that
  // has none.
  virtual void ShowImmagine(std::string_view fileName, std::string_view description) = 0;

  // Output: show the window itself (called once by every start, also at a restart).
  virtual void ShowOutput() = 0;

  // The window's current values for iniziale.ini, and applying values read from it.
  virtual WindowSettings CurrentSettings() const = 0;
  virtual void ApplySettings(WindowSettings settings) = 0;

  // The game is over for good: the front end ends the program once the current key event
  // returns. `problem` is empty on an orderly end, or tells the player what went wrong
  // (iniziale.ini could not be written), which the screen can no longer show.
  virtual void EndProgram(std::string_view problem) = 0;
};

}  // namespace vortila
