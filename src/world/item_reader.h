#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace vortila {

// A quoted item whose line ends before its closing quote.
struct UnclosedQuote : std::runtime_error {
  explicit UnclosedQuote(int line) : std::runtime_error("unclosed quote"), line(line) {}
  int line;
};

// Reads the items that the data files, the settings file and saved games are made of.
// Items are separated by commas or line ends (CR LF, LF, or a lone CR); blanks and tabs in
// front of an item are skipped; a quoted item runs to its closing quote, commas and
// apostrophes included, and whatever follows the quote up to the separator is ignored; an
// unquoted item ends at the separator, without the blanks in front of it; an empty line is
// an empty item.
class ItemReader {
 public:
  explicit ItemReader(std::string_view contents) : text_(contents) {}

  // True when nothing but blanks and line ends remains, so trailing empty lines at the end
  // of a file never count as the start of another record.
  bool AtEnd() const;

  // The next item, or nothing when the text is used up. Throws UnclosedQuote. The item is a
  // part of the text given to the reader, which must outlive it.
  std::optional<std::string_view> ReadItem();

  // The 1-based line on which the next item starts (or the last one ended).
  int Line() const { return line_; }

 private:
  void SkipLineEnd();
  void SkipSeparator();
  void SkipToSeparator();
  std::string_view ReadQuoted();
  std::string_view ReadUnquoted();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace vortila
