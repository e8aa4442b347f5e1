#include "app/stream/stream_session.h"

#include "app/keys.h"
#include "app/startup.h"

namespace vortila {

StreamSession::StreamSession(std::ostream& out, GameFolders folders)
    : out_(out), game_(*this, std::move(folders)) {}

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

// A line is final once it leaves the bottom row; the rows above only move up.
void StreamSession::ScrollTextlines() {
  if (!bottomWritten_) WriteLine(bottomRow_);
  bottomWritten_ = true;
}

void StreamSession::SetTextline(int row, std::string_view text) {
  if (row != kBottomRow) return;
  bottomRow_ = text;
  bottomWritten_ = false;
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
    WriteLine(bottomRow_);
    bottomWritten_ = true;
  }
  if (!ended_ && commandBox_ == kPagePrompt) WriteLine(kPagePrompt);
  out_.flush();
}

void StreamSession::WriteLine(std::string_view line) { out_ << line << '\n'; }

}  // namespace vortila
