#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text in the game is UTF-8 everywhere. A "character" (the wrap width, trimming, the last
// letters of a word) is a Unicode code point, so these helpers walk code points, never bytes.
namespace vortila {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point that starts at `pos` and advances `pos` past it. A byte that does
// not start a well-formed sequence counts as one character of its own and yields U+FFFD,
// so every byte of any string is visited exactly once.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t codePoint);

// Replaces every byte that is not part of a well-formed UTF-8 sequence with U+FFFD.
std::string RepairUtf8(std::string_view text);

// What the command box may hand to the game: well-formed UTF-8 in which every control
// character (tabs, line ends, escapes) has become a blank, so that nothing typed or pasted
// can break a screen line or reach a terminal as a control sequence.
std::string CleanCommandText(std::string_view text);

std::size_t CountCodePoints(std::string_view text);

// Upper and lower case for ASCII and the accented Latin letters Italian uses (the Latin-1
// range: à è é ì í ò ó ù and their capitals, among others); other characters are unchanged.
char32_t ToUpperCodePoint(char32_t c);
char32_t ToLowerCodePoint(char32_t c);
std::string ToUpperItalian(std::string_view text);
std::string ToLowerItalian(std::string_view text);

// Removes the blanks (spaces only, as the game's own trimming does) at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace vortila
