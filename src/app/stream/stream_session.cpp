#include "app/stream/stream_session.h"

#include <algorithm>

#include "app/keys.h"
#include "app/startup.h"

namespace vortila {

StreamSession::StreamSession(std::ostream& out, std::filesystem::path folder)
    : out_(out), game_(*this, std::move(folder)) {}

void StreamSession::Start() {
  StartGame(game_);
  FinishKeyEvent();
}

void StreamSession::Enter(std::string_view inputLine) {
  if (ended_) return;
  if (!inputLine.empty() && inputLine.back() == '\r') inputLine.remove_suffix(1);
  if (!inputLine.empty()) SetTextInput(inputLine);
  KeyPress(game_, kEnterKey);
  FinishKeyEvent();
}

void StreamSession::Close() {
  if (ended_) return;
  QuitGame(game_);
  FinishKeyEvent();
}

void StreamSession::ScrollTextlines() {
  if (!bottomWritten_) WriteLine(rows_.back());
  std::rotate(rows_.begin(), rows_.begin() + 1, rows_.end());
  rows_.back() = rows_[rows_.size() - 2];
  bottomWritten_ = true;
}

void StreamSession::SetTextline(int row, std::string_view text) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  rows_[row] = text;
  if (row == static_cast<int>(rows_.size()) - 1) bottomWritten_ = false;
}

void StreamSession::ShowImmagine(std::string_view fileName) {
  out_ << "[immagine " << fileName << "]\n";
}

void StreamSession::EndProgram(std::string_view problem) {
  ended_ = true;
  problem_ = problem;
}

void StreamSession::FinishKeyEvent() {
  if (!bottomWritten_) {
    WriteLine(rows_.back());
    bottomWritten_ = true;
  }
  if (!ended_ && commandBox_ == kPagePrompt) WriteLine(kPagePrompt);
  out_.flush();
}

void StreamSession::WriteLine(std::string_view line) { out_ << line << '\n'; }

}  // namespace vortila
