#include "app/stream/stream_session.h"

#include "app/keys.h"
#include "app/startup.h"

namespace vortila {

StreamSession::StreamSession(std::string& output, GameFolders folders)
    : output_(output), game_(*this, std::move(folders)) {}

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
  CloseGame(game_);
  FinishKeyEvent();
}

// A line is final once it leaves the bottom row; the rows above only move up. The screen
// has moved its rows when it says so: the line that left the bottom is the row above it.
void StreamSession::ScrollTextlines() {
  WriteBottomRow(game_.screen.Textlines[kBottomRow - 1]);
  bottomIsNewLine_ = true;
}

void StreamSession::SetTextline(int row, std::string_view text) {
  if (row != kBottomRow) return;
  // An open line written at the end of a key event is set again, unchanged, when the next
  // print continues it with a line break: it is the same line, and is not written twice.
  if (!bottomIsNewLine_ && bottomWritten_ && text == writtenAtEnd_) return;
  bottomIsNewLine_ = false;
  bottomWritten_ = false;
}

// The bottom row may still be growing (the echo of the command that showed the picture, a
// sentence printed in pieces): the picture's line waits until that line is written.
void StreamSession::ShowImmagine(std::string_view fileName, std::string_view description) {
  std::string line = "[immagine ";
  line += fileName;
  line += ']';
  if (!description.empty()) {
    line += ' ';
    line += description;
  }
  if (bottomWritten_) {
    WriteLine(line);
  } else {
    pictureLines_.push_back(std::move(line));
  }
}

void StreamSession::EndProgram(std::string_view problem) {
  ended_ = true;
  problem_ = problem;
}

void StreamSession::FinishKeyEvent() {
  const std::string& bottom = game_.screen.Textlines[kBottomRow];
  if (!bottomWritten_) writtenAtEnd_ = bottom;
  WriteBottomRow(bottom);
  if (!ended_ && commandBox_ == kPagePrompt) WriteLine(kPagePrompt);
}

void StreamSession::WriteBottomRow(std::string_view bottom) {
  if (!bottomWritten_) WriteLine(bottom);
  bottomWritten_ = true;
  for (const std::string& line : pictureLines_) WriteLine(line);
  pictureLines_.clear();
}

void StreamSession::WriteLine(std::string_view line) {
  output_ += line;
  output_ += '\n';
}

}  // namespace vortila
