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

// Whether the line ends of a text separate parts of it (the items of a file) or are only
// characters (in the command box).
enum class LineEnds { kKept, kBlanked };

// What every text from outside the program (a file it reads, the command box) becomes before
// the game sees it: well-formed UTF-8, each bad byte replaced by U+FFFD, in which every
// control character (escapes, tabs, NUL, the C1 controls) has become a blank, so that nothing
// read, typed or pasted can break a screen line or reach a terminal as a control sequence.
std::string CleanText(std::string text, LineEnds lineEnds);

std::size_t CountCodePoints(std::string_view text);

// Upper and lower case for ASCII and the accented Latin letters Italian uses (the Latin-1
// range: à è é ì í ò ó ù and their capitals, among others); other characters are unchanged.
char32_t ToUpperCodePoint(char32_t c);
char32_t ToLowerCodePoint(char32_t c);
std::string ToUpperItalian(std::string_view text);
// Appends `text` in upper case to `out`, which may already hold the start of a line.
void AppendUpperItalian(std::string& out, std::string_view text);
std::string ToLowerItalian(std::string_view text);

// Removes the blanks (spaces only, as the game's own trimming does) at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace vortila
