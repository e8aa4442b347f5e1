#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "parser_fixture.h"
#include "text/utf8.h"
#include "world/data_files.h"

// The game's own vocabulary: every verb code the rules act on can be reached by a command a
// player types, in the world as delivered. The commands are listed in verb_samples.txt
// with the objects they need at hand.
namespace vortila {
namespace {

constexpr int kLastRuleCode = 116;

struct VerbSample {
  int code = 0;
  std::string command;
  std::vector<std::string> objects;
  int line = 0;
};

std::vector<VerbSample> ReadSamples() {
  std::ifstream file(VORTILA_TEST_DATA_DIR "/verb_samples.txt");
  std::vector<VerbSample> samples;
  std::string text;
  for (int line = 1; std::getline(file, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    VerbSample sample;
    std::string code, objects;
    std::getline(fields, code, '\t');
    std::getline(fields, sample.command, '\t');
    std::getline(fields, objects);
    sample.code = std::stoi(code);
    sample.line = line;
    std::istringstream ids(objects);
    for (std::string id; ids >> id;) sample.objects.push_back(id);
    samples.push_back(std::move(sample));
  }
  return samples;
}

class VocabularyTest : public testing::ParserTest {
 protected:
  VocabularyTest() {
    LoadVerbs(world.verbs, VORTILA_DATA_DIR);
    LoadObjects(world.objects, VORTILA_DATA_DIR);
    PlacePlayer(world.objects.ObjectLocation[1]);
    delivered = world;
  }

  // The world as delivered, with `ids` brought into the player's room.
  void SetUpFor(const VerbSample& sample) {
    world = delivered;
    parser = ParserState();
    for (const std::string& id : sample.objects) {
      const int slot = Slot(id);
      ASSERT_NE(slot, 0) << "line " << sample.line << ": no object " << id;
      world.objects.ObjectLocation.Change(slot) = world.objects.ObjectLocation[1];
    }
  }

  World delivered;
};

TEST_F(VocabularyTest, EveryVerbCodeIsReachedByACommand) {
  const std::vector<VerbSample> samples = ReadSamples();
  ASSERT_FALSE(samples.empty());
  std::set<int> reached;
  for (const VerbSample& sample : samples) {
    SetUpFor(sample);
    const std::string printed = Parse(ToLowerItalian(sample.command));
    EXPECT_TRUE(accepted && !parser.AmbiguityReported && FirstCandidate(parser, 1) == sample.code)
        << "line " << sample.line << ": «" << sample.command << "» gave verb "
        << FirstCandidate(parser, 1) << ", not " << sample.code << "; printed: " << printed;
    reached.insert(sample.code);
  }
  for (int code = 1; code <= kLastRuleCode; ++code) {
    EXPECT_TRUE(reached.count(code)) << "no command reaches verb " << code;
    EXPECT_EQ(world.verbs.VerbCode[code], code) << "the entry of verb " << code;
  }
}

}  // namespace
}  // namespace vortila
