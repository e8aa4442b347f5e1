#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text as a terminal lays it out: one code point at a time, each taking a number of columns.
namespace vortila {

// Control characters (line ends, escapes) never reach the terminal: they are shown as U+FFFD.
bool IsControl(char32_t c);
// The columns a character takes as shown: 0 for a combining mark, 2 for a wide character.
int CellWidth(char32_t c);

// UTF-8 to code points; a malformed byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

// The longest start of `text` that fits in `columns`, every control character shown as
// U+FFFD, ready for the terminal.
std::wstring FitToColumns(std::u32string_view text, int columns);

// `text` broken at blanks into lines of at most `columns`, each line after the first
// indented by `indent` blanks; a word longer than a line is cut where the line ends.
std::vector<std::u32string> WrapToColumns(std::u32string_view text, int columns, int indent);

}  // namespace vortila
