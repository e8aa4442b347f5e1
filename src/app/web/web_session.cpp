#include "app/web/web_session.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "app/keys.h"
#include "app/rewind.h"
#include "app/startup.h"

namespace vortila {

WebSession::WebSession(GameFolders folders) : game_(*this, std::move(folders)) {}

void WebSession::Start() { StartGame(game_); }

void WebSession::PressKey(int keyCode) {
  RunInGame([&] {
    KeyDown(game_, keyCode);
    if (keyCode == kEnterKey) KeyPress(game_, kEnterKey);
  });
}

void WebSession::Undo() {
  RunInGame([&] { UndoTurn(game_); });
}

void WebSession::LoadFrom(const std::filesystem::path& file) {
  RunInGame([&] { LoadGameFrom(game_, file); });
}

bool WebSession::CanResume() const { return !game_.ended && vortila::CanResume(game_); }

void WebSession::Resume() {
  RunInGame([&] { ResumeGame(game_); });
}

bool WebSession::KeepInterrupted() { return game_.ended || KeepInterruptedGame(game_); }

// Nothing reaches a game that has ended. A restart reads the data files again; one that can
// no longer be read ends the game with its reason, as a failed start would, rather than
// leaving the page with an exception.
template <typename Work>
void WebSession::RunInGame(Work work) {
  if (game_.ended) return;
  try {
    work();
  } catch (const std::exception& error) {
    if (!game_.ended) EndGame(game_, error.what());
  }
}

int WebSession::TakeScrolledRows() { return std::exchange(scrolledRows_, 0); }

void WebSession::ScrollTextlines() {
  std::copy(rows_.begin() + 1, rows_.end(), rows_.begin());
  ++scrolledRows_;
}

void WebSession::SetTextline(int row, std::string_view text) { rows_.at(row) = text; }

void WebSession::ShowImmagine(std::string_view fileName, std::string_view description) {
  picture_ = fileName;
  pictureDescription_ = description;
}

}  // namespace vortila
