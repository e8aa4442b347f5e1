#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The command box as the terminal shows it. The game reads and replaces its text; the cursor
// and the editing keys are the terminal's own.
namespace vortila {

class CommandLine {
 public:
  std::string Text() const;
  // Replacing the text puts the cursor after it, where a window's text box puts it.
  void SetText(std::string_view utf8);
  bool Empty() const { return text_.empty(); }
  std::size_t Cursor() const { return cursor_; }

  // Types `c` at the cursor; control characters are not typed.
  void Insert(char32_t c);
  void MoveLeft();
  void MoveRight();
  void MoveHome() { cursor_ = 0; }
  void MoveEnd() { cursor_ = text_.size(); }
  // Backspace and Delete: the character before, or under, the cursor.
  void DeleteBefore();
  void DeleteUnder();
  void Clear();

  // What a field `columns` wide shows: it scrolls only as far as it must to keep the cursor
  // in sight, so the text does not jump while the cursor moves within the field.
  struct View {
    // From the first character shown; the field cuts it at its width.
    std::u32string_view text;
    int cursorColumn = 0;
  };
  View Visible(int columns);

 private:
  std::u32string text_;
  std::size_t cursor_ = 0;
  // The first character the field shows.
  std::size_t scroll_ = 0;
};

}  // namespace vortila
