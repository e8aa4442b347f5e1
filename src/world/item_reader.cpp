#include "world/item_reader.h"

namespace vortila {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool ItemReader::AtEnd() const {
  return text_.find_first_not_of(" \t\r\n", pos_) == std::string_view::npos;
}

bool ItemReader::AtLineEnd() const {
  return pos_ < text_.size() && (text_[pos_] == '\n' || text_[pos_] == '\r');
}

void ItemReader::SkipLineEnd() {
  if (text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
}

// Consumes the comma or line end that closes an item, and anything before it.
void ItemReader::SkipToSeparator() {
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
  if (pos_ == text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else {
    SkipLineEnd();
  }
}

std::string ItemReader::ReadQuoted() {
  const std::size_t start = ++pos_;
  while (pos_ < text_.size() && text_[pos_] != '"') {
    if (text_[pos_] == '\n' || text_[pos_] == '\r') throw UnclosedQuote(line_);
    ++pos_;
  }
  if (pos_ == text_.size()) throw UnclosedQuote(line_);
  std::string value(text_.substr(start, pos_ - start));
  ++pos_;
  SkipToSeparator();
  return value;
}

std::string ItemReader::ReadUnquoted() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
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
