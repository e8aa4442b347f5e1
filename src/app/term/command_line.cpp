#include "app/term/command_line.h"

#include "app/term/cells.h"

namespace vortila {

namespace {

int ColumnsOf(std::u32string_view text) {
  int columns = 0;
  for (const char32_t c : text) columns += CellWidth(c);
  return columns;
}

}  // namespace

std::string CommandLine::Text() const { return EncodeUtf8(text_); }

void CommandLine::SetText(std::string_view utf8) {
  text_ = DecodeUtf8(utf8);
  cursor_ = text_.size();
}

void CommandLine::Insert(char32_t c) {
  if (IsControl(c)) return;
  text_.insert(text_.begin() + static_cast<std::ptrdiff_t>(cursor_), c);
  ++cursor_;
}

void CommandLine::MoveLeft() {
  if (cursor_ > 0) --cursor_;
}

void CommandLine::MoveRight() {
  if (cursor_ < text_.size()) ++cursor_;
}

void CommandLine::DeleteBefore() {
  if (cursor_ == 0) return;
  --cursor_;
  text_.erase(cursor_, 1);
}

void CommandLine::DeleteUnder() {
  if (cursor_ < text_.size()) text_.erase(cursor_, 1);
}

void CommandLine::Clear() {
  text_.clear();
  cursor_ = 0;
}

CommandLine::View CommandLine::Visible(int columns) {
  if (columns <= 0) return {};
  const std::u32string_view all = text_;
  if (scroll_ > cursor_) scroll_ = cursor_;
  // The cursor needs a column of its own after the character before it.
  int beforeCursor = ColumnsOf(all.substr(scroll_, cursor_ - scroll_));
  while (scroll_ < cursor_ && beforeCursor + 1 > columns) beforeCursor -= CellWidth(all[scroll_++]);
  // Room freed at the end (a deletion, a shorter text) is given back to the start.
  int fromScroll = ColumnsOf(all.substr(scroll_));
  while (scroll_ > 0 && fromScroll + CellWidth(all[scroll_ - 1]) + 1 <= columns) {
    fromScroll += CellWidth(all[--scroll_]);
    beforeCursor += CellWidth(all[scroll_]);
  }
  return {all.substr(scroll_), beforeCursor};
}

}  // namespace vortila
