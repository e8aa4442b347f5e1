#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/stream/stream_session.h"
#include "test_support.h"

// Plays every file in tests/transcripts through the text stream. A transcript is a list of
// commands and checks: "> text" types a command, ">" alone presses Enter, a plain line must
// appear in the output since the last command, a line starting with "!" must not, and a
// line starting with "#" is a comment. Checks before the first command look at the start.
namespace vortila {
namespace {

struct Failure {
  int line;
  std::string what;
};

class TranscriptPlayer {
 public:
  explicit TranscriptPlayer(const std::filesystem::path& folder) : session_(out_, folder) {
    session_.Start();
  }

  void Check(int line, const std::string& check) {
    const bool mustAppear = check.front() != '!';
    const std::string text = mustAppear ? check : check.substr(1);
    const bool appears = out_.find(text, checked_) != std::string::npos;
    if (appears != mustAppear) {
      failures_.push_back({line, (mustAppear ? "missing: " : "present: ") + text});
    }
  }

  void Command(const std::string& typed) {
    checked_ = out_.size();
    session_.Enter(typed);
  }

  const std::vector<Failure>& failures() const { return failures_; }
  std::string OutputSinceLastCommand() const { return out_.substr(checked_); }

 private:
  std::string out_;
  StreamSession session_;
  std::size_t checked_ = 0;
  std::vector<Failure> failures_;
};

std::vector<std::string> TranscriptNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(VORTILA_TRANSCRIPT_DIR)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Transcript : public ::testing::TestWithParam<std::string> {};

TEST_P(Transcript, Plays) {
  testing::TempFolder folder;
  folder.WithGameData();
  TranscriptPlayer player(folder.path());
  std::ifstream file(std::filesystem::path(VORTILA_TRANSCRIPT_DIR) / GetParam());
  std::string line;
  int number = 0;
  std::size_t reported = 0;
  while (std::getline(file, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '>') {
      player.Command(line.size() > 1 ? line.substr(line[1] == ' ' ? 2 : 1) : "");
      continue;
    }
    player.Check(number, line);
    if (player.failures().size() > reported) {
      reported = player.failures().size();
      ADD_FAILURE() << GetParam() << ":" << number << ": " << player.failures().back().what
                    << "\noutput since the last command:\n"
                    << player.OutputSinceLastCommand();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Transcripts, Transcript, ::testing::ValuesIn(TranscriptNames()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace vortila
