#include "app/term/cells.h"

#include <algorithm>
#include <cwchar>

#include "text/utf8.h"

namespace vortila {

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

int CellWidth(char32_t c) {
  if (IsControl(c)) return 1;
  const int width = wcwidth(static_cast<wchar_t>(c));
  // Outside a UTF-8 locale, and for characters the C library does not know yet, the
  // terminal still gives the character a column.
  return width < 0 ? 1 : width;
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string decoded;
  decoded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) decoded += NextCodePoint(text, pos);
  return decoded;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string encoded;
  encoded.reserve(text.size());
  for (const char32_t c : text) AppendUtf8(encoded, c);
  return encoded;
}

std::wstring FitToColumns(std::u32string_view text, int columns) {
  std::wstring fitted;
  int used = 0;
  for (const char32_t c : text) {
    const int width = CellWidth(c);
    if (used + width > columns) break;
    used += width;
    fitted += static_cast<wchar_t>(IsControl(c) ? kReplacementCharacter : c);
  }
  return fitted;
}

namespace {

int WidthOf(std::u32string_view text) {
  int width = 0;
  for (const char32_t c : text) width += CellWidth(c);
  return width;
}

// How much of `text` fits in `columns`; at least one character, so that every line moves on.
std::size_t FittingLength(std::u32string_view text, int columns) {
  std::size_t length = 0;
  for (int used = 0; length < text.size(); ++length) {
    used += CellWidth(text[length]);
    if (used > columns) break;
  }
  return std::max<std::size_t>(length, 1);
}

}  // namespace

std::vector<std::u32string> WrapToColumns(std::u32string_view text, int columns, int indent) {
  const std::u32string margin(static_cast<std::size_t>(std::max(indent, 0)), U' ');
  std::vector<std::u32string> lines;
  std::u32string line;
  while (!text.empty()) {
    const std::size_t wordEnd = std::min(text.find(U' '), text.size());
    std::u32string_view word = text.substr(0, wordEnd);
    text.remove_prefix(std::min(wordEnd + 1, text.size()));
    while (!word.empty()) {
      const std::u32string start = lines.empty() ? std::u32string() : margin;
      const std::u32string candidate =
          line.empty() ? start + std::u32string(word) : line + U' ' + std::u32string(word);
      if (WidthOf(candidate) <= columns) {
        line = candidate;
        break;
      }
      // A word that fits a line of its own goes to the next one; a longer one is cut where
      // this line ends.
      const bool fitsNextLine = WidthOf(margin) + WidthOf(word) <= columns;
      if (!line.empty() && (fitsNextLine || WidthOf(line) + 1 >= columns)) {
        lines.push_back(std::move(line));
        line.clear();
        continue;
      }
      const std::u32string head = line.empty() ? start : line + U' ';
      const std::size_t fits = FittingLength(word, columns - WidthOf(head));
      lines.push_back(head + std::u32string(word.substr(0, fits)));
      line.clear();
      word.remove_prefix(fits);
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace vortila
