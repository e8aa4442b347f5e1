#include "app/term/cells.h"

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

}  // namespace vortila
