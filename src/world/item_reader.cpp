#include "world/item_reader.h"

#include <algorithm>

#include "text/eight_bytes.h"

namespace vortila {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSeparator(char c) { return c == ',' || c == '\n' || c == '\r'; }

// Where the first comma or line end from `pos` on stands, or the text's end. Unquoted items
// are most of the verb file, and are passed eight bytes at a time.
std::size_t FindSeparator(std::string_view text, std::size_t pos) {
  const auto markSeparators = [](std::uint64_t bytes) {
    return eight_bytes::MarkEqual(bytes, ',') | eight_bytes::MarkEqual(bytes, '\n') |
           eight_bytes::MarkEqual(bytes, '\r');
  };
  return eight_bytes::FindFirst(text, pos, markSeparators, IsSeparator);
}

}  // namespace

bool ItemReader::AtEnd() const {
  return text_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
}

void ItemReader::SkipLineEnd() {
  if (text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
}

// Consumes the comma or line end that the reader stands on, if any.
void ItemReader::SkipSeparator() {
  if (pos_ == text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else {
    SkipLineEnd();
  }
}

// Consumes the comma or line end that closes an item, and anything before it.
void ItemReader::SkipToSeparator() {
  pos_ = FindSeparator(text_, pos_);
  SkipSeparator();
}

std::string_view ItemReader::ReadQuoted() {
  const std::size_t start = ++pos_;
  // The closing quote is looked for first, and the line end then only before it, so that
  // each byte is looked at about once whatever the item's length.
  const std::size_t quote = std::min(text_.find('"', start), text_.size());
  const std::string_view value = text_.substr(start, quote - start);
  if (quote == text_.size() || value.find('\n') != std::string_view::npos ||
      value.find('\r') != std::string_view::npos) {
    throw UnclosedQuote(line_);
  }
  pos_ = quote + 1;
  SkipToSeparator();
  return value;
}

std::string_view ItemReader::ReadUnquoted() {
  const std::size_t start = pos_;
  pos_ = FindSeparator(text_, pos_);
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;
  SkipSeparator();
  return text_.substr(start, end - start);
}

std::optional<std::string_view> ItemReader::ReadItem() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (pos_ == text_.size()) return std::nullopt;
  if (text_[pos_] == '"') return ReadQuoted();
  return ReadUnquoted();
}

}  // namespace vortila
