#include "app/term/term_session.h"

#include <algorithm>

#include "app/keys.h"
#include "app/rewind.h"
#include "app/startup.h"

namespace vortila {

namespace {

// The code each key carries into the game's key-down handler. The game looks only at Up,
// Down and End; the editing keys carry the codes the window's own keys have, and a typed
// character carries 0, since its character follows in the key press. None of these can be
// taken for Up, Down or End, which a character's own code ('&', '(', '#') would be.
int KeyDownCode(const TermKey& key) {
  switch (key.kind) {
    case TermKey::kEnter:
      return kEnterKey;
    case TermKey::kUp:
      return kUpKey;
    case TermKey::kDown:
      return kDownKey;
    case TermKey::kEnd:
      return kEndKey;
    case TermKey::kBackspace:
      return 8;
    case TermKey::kHome:
      return 36;
    case TermKey::kLeft:
      return 37;
    case TermKey::kRight:
      return 39;
    case TermKey::kDelete:
    case TermKey::kEndOfInput:
      return 46;
    default:
      return 0;
  }
}

}  // namespace

TermSession::TermSession(GameFolders folders) : game_(*this, std::move(folders)) {}

void TermSession::Start() { StartGame(game_); }

void TermSession::HandleKey(const TermKey& key) {
  if (ended_ || key.kind == TermKey::kResize || key.kind == TermKey::kRepaint) return;
  switch (key.kind) {
    case TermKey::kPageUp:
      ScrollBack(visibleRows_ - 1);
      return;
    case TermKey::kPageDown:
      ScrollBack(-(visibleRows_ - 1));
      return;
    case TermKey::kWheelUp:
      ScrollBack(kWheelLines);
      return;
    case TermKey::kWheelDown:
      ScrollBack(-kWheelLines);
      return;
    default:
      break;
  }
  // Any other key brings the view back to the game.
  scrolledBack_ = 0;
  if (key.kind == TermKey::kInterrupt || (key.kind == TermKey::kEndOfInput && line_.Empty())) {
    Close();
    return;
  }
  if (key.kind == TermKey::kUndo) {
    UndoTurn(game_);
    return;
  }
  // At a held page the box shows only the prompt: Space turns the page as Enter does.
  const bool turnsPage = key.kind == TermKey::kCharacter && key.character == U' ' &&
                         line_.Text() == kPagePrompt;
  KeyDown(game_, KeyDownCode(key));
  if (key.kind == TermKey::kEnter || turnsPage) {
    KeyPress(game_, kEnterKey);
    return;
  }
  if (key.kind == TermKey::kCharacter) KeyPress(game_, static_cast<int>(key.character));
  // Up and Down have put a command into the box; every other key edits it as typed.
  if (!ended_) Edit(key);
}

void TermSession::Edit(const TermKey& key) {
  switch (key.kind) {
    case TermKey::kCharacter:
      line_.Insert(key.character);
      break;
    case TermKey::kLeft:
      line_.MoveLeft();
      break;
    case TermKey::kRight:
      line_.MoveRight();
      break;
    case TermKey::kHome:
    case TermKey::kLineStart:
      line_.MoveHome();
      break;
    // End is the game's key and also moves the cursor, as it does in the window's box.
    case TermKey::kEnd:
    case TermKey::kLineEnd:
      line_.MoveEnd();
      break;
    case TermKey::kBackspace:
      line_.DeleteBefore();
      break;
    case TermKey::kDelete:
    case TermKey::kEndOfInput:
      line_.DeleteUnder();
      break;
    case TermKey::kClearLine:
      line_.Clear();
      break;
    default:
      break;
  }
}

void TermSession::Close() {
  if (!ended_) CloseGame(game_);
}

std::string_view TermSession::ShownRow(int row) const {
  // The session's lines in order: what left the screen, then the screen's own rows.
  const long line = static_cast<long>(scrollback_.size()) + row - scrolledBack_;
  if (line < 0 || row < 0 || row >= kScreenRows) return {};
  const auto index = static_cast<std::size_t>(line);
  return index < scrollback_.size() ? scrollback_[index] : rows_[index - scrollback_.size()];
}

void TermSession::ScrollBack(int lines) {
  // The oldest line kept can come up to the first row shown, and no further.
  const long furthest = static_cast<long>(scrollback_.size()) + kScreenRows - visibleRows_;
  scrolledBack_ = static_cast<int>(std::clamp<long>(scrolledBack_ + lines, 0, furthest));
}

// New output brings the view back to the game.
void TermSession::ScrollTextlines() {
  // The empty rows of the screen before the first text are not part of the session.
  if (!scrollback_.empty() || !rows_[0].empty()) scrollback_.push_back(std::move(rows_[0]));
  if (scrollback_.size() > kScrollbackLines) scrollback_.pop_front();
  std::move(rows_.begin() + 1, rows_.end(), rows_.begin());
  rows_[kBottomRow] = rows_[kBottomRow - 1];
  scrolledBack_ = 0;
}

void TermSession::SetTextline(int row, std::string_view text) {
  if (row >= 0 && row < kScreenRows) rows_[static_cast<std::size_t>(row)] = text;
  scrolledBack_ = 0;
}

void TermSession::SetInventarietto(std::string_view text) {
  inventory_.clear();
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\r'), text.size());
    inventory_.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

void TermSession::EndProgram(std::string_view problem) {
  ended_ = true;
  problem_ = problem;
}

}  // namespace vortila
