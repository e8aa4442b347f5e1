#include "world/item_reader.h"

#include <algorithm>

namespace vortila {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSeparator(char c) { return c == ',' || c == '\n' || c == '\r'; }

}  // namespace

bool ItemReader::AtEnd() const {
  return text_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
}

void ItemReader::SkipLineEnd() {
  if (text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
}

// Consumes the comma or line end that closes an item, and anything before it.
void ItemReader::SkipToSeparator() {
  while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
  if (pos_ == text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else {
    SkipLineEnd();
  }
}

std::string ItemReader::ReadQuoted() {
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
  return std::string(value);
}

std::string ItemReader::ReadUnquoted() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;
  std::string value(text_.substr(start, end - start));
  SkipToSeparator();
  return value;
}

std::optional<std::string> ItemReader::ReadItem() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  if (pos_ == text_.size()) return std::nullopt;
  if (text_[pos_] == '"') return ReadQuoted();
  return ReadUnquoted();
}

}  // namespace vortila
