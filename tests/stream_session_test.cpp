#include "app/stream/stream_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"
#include "text/utf8.h"

namespace vortila {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The commands of a transcript, as the player typed them.
std::vector<std::string> CommandsOf(std::string_view transcript) {
  std::ifstream file(std::filesystem::path(VORTILA_TRANSCRIPT_DIR) / transcript);
  std::vector<std::string> commands;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.front() == '>') {
      commands.push_back(line.size() > 1 ? line.substr(line[1] == ' ' ? 2 : 1) : "");
    }
  }
  return commands;
}

// The line before a picture's is finished: an empty line, an echoed command, a held page, or
// the end of a sentence. The line after it is never the echo of the command that showed it.
void ExpectPicturesBetweenSentences(const std::vector<std::string>& lines) {
  const std::regex picture(R"(\[immagine \d{3}\.pkd\] \S.*)");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].rfind("[immagine", 0) != 0) continue;
    EXPECT_TRUE(std::regex_match(lines[i], picture)) << "without a description: " << lines[i];
    const std::string_view before = TrimBlanks(lines[i - 1]);
    const bool finished = before.empty() || before.rfind(">", 0) == 0 ||
                          before == kPagePrompt || before.rfind("[immagine", 0) == 0 ||
                          std::string_view(".!?:»\"").find(before.back()) != std::string::npos;
    EXPECT_TRUE(finished) << "a picture inside a sentence, after: " << lines[i - 1];
    if (i + 1 < lines.size()) {
      EXPECT_NE(lines[i + 1].rfind(" > ", 0), 0u) << "a picture before its command's echo";
    }
  }
}

TEST(StreamSession, PictureLinesComeBetweenSentencesAndAfterTheirCommand) {
  testing::TempFolder folder;
  folder.WithGameData();
  for (std::string_view transcript : {"vittoria.txt", "finale-casco.txt"}) {
    std::string out;
    StreamSession session(out, folder.path());
    session.Start();
    for (const std::string& command : CommandsOf(transcript)) session.Enter(command);
    const std::vector<std::string> lines = Lines(out);
    SCOPED_TRACE(transcript);
    ExpectPicturesBetweenSentences(lines);
    // The escape's picture used to come out before the command that showed it.
    const auto escape = std::find_if(lines.begin() + 1, lines.end(), [](const std::string& l) {
      return l.rfind("[immagine 013.pkd]", 0) == 0;
    });
    if (escape != lines.end()) {
      EXPECT_EQ(*(escape - 1), " > ENTRA");
    }
  }
}

TEST(StreamSession, APictureWithoutADescriptionIsNamedAlone) {
  testing::TempFolder folder;
  folder.WithGameData();
  folder.Write("descrizioni.txt", "# solo il titolo\r\n001.pkd   Il titolo.\t\r\n\r\n002.pkd\r\n");
  std::string text;
  StreamSession session(text, folder.path());
  session.Start();
  session.Enter("");
  EXPECT_NE(text.find("[immagine 001.pkd] Il titolo.\n"), std::string::npos);
  EXPECT_NE(text.find("[immagine 002.pkd]\n"), std::string::npos);
}

TEST(StreamSession, AnOpenLineIsWrittenOnceWhenTheNextCommandBreaksIt) {
  testing::TempFolder folder;
  folder.WithGameData();
  std::string out;
  StreamSession session(out, folder.path());
  session.Start();
  for (int page = 0; page < 7; ++page) session.Enter("");
  // The rules leave this refusal open; the next echo begins with a line break.
  session.Enter("mettici la torcia");
  session.Enter("guarda");
  const std::vector<std::string> lines = Lines(out);
  const auto refusal = std::find(lines.begin(), lines.end(), "Riformula, grazie!");
  ASSERT_NE(refusal, lines.end());
  EXPECT_EQ(*(refusal - 1), " > METTICI LA TORCIA");
  EXPECT_EQ(*(refusal + 1), " > GUARDA");
}

}  // namespace
}  // namespace vortila
