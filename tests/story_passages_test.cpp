#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/introduction.h"
#include "rules/narration.h"
#include "text/utf8.h"

// The story's passages keep the opening words, the closing words where there are any, and
// within 3% the length they were given: those are listed in story_passages.txt, apart from
// the prose, so that revising a passage cannot move them without this test noticing.
namespace vortila {
namespace {

constexpr double kLengthTolerance = 0.03;

struct GivenPassage {
  std::string name;
  std::size_t length = 0;
  std::string opening;
  std::string closing;
  int line = 0;
};

std::vector<GivenPassage> ReadGivenPassages() {
  std::ifstream file(VORTILA_TEST_DATA_DIR "/story_passages.txt");
  std::vector<GivenPassage> passages;
  std::string text;
  for (int line = 1; std::getline(file, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::istringstream fields(text);
    GivenPassage passage;
    std::string length;
    std::getline(fields, passage.name, '\t');
    std::getline(fields, length, '\t');
    std::getline(fields, passage.opening, '\t');
    std::getline(fields, passage.closing);
    passage.length = std::stoul(length);
    passage.line = line;
    passages.push_back(std::move(passage));
  }
  return passages;
}

#define PASSAGE(name) {#name, narration::name}

std::map<std::string, std::string_view> PassagesByName() {
  std::map<std::string, std::string_view> passages = {
      PASSAGE(kCredits),
      PASSAGE(kKnocksBegin),
      PASSAGE(kKnocksRepeat),
      PASSAGE(kKnocksStop),
      PASSAGE(kDeathHelmetOff),
      PASSAGE(kDeathRocket),
      PASSAGE(kDeathAsphyxia),
      PASSAGE(kDeathRandomKeys),
      PASSAGE(kDeathCeilingSpider),
      PASSAGE(kDeathSpiderLeg),
      PASSAGE(kDeathAirSucked),
      PASSAGE(kDeathFrozen),
      PASSAGE(kDeathBurned),
      PASSAGE(kDeathSpiderOnSuit),
      PASSAGE(kDeathLittleSpider),
      PASSAGE(kDeathExplosion),
      PASSAGE(kSpiderJump),
      PASSAGE(kFreshAir),
      PASSAGE(kLittleSpider),
      PASSAGE(kSpiderThoughts),
      PASSAGE(kBrokenHelmet),
      PASSAGE(kTorchLight),
      PASSAGE(kNoConjurer),
      PASSAGE(kPowerReturns),
      PASSAGE(kConsolesAwake),
      PASSAGE(kNichesVanish),
      PASSAGE(kSpiderDiscovered),
      PASSAGE(kAirInflow),
      PASSAGE(kSpiderlingStunned),
      PASSAGE(kNavigationCode),
      PASSAGE(kBitterThought),
      PASSAGE(kSpiderlingKilled),
      PASSAGE(kKillerDoubts),
      PASSAGE(kGuardDogs),
      PASSAGE(kTwoMonsters),
      PASSAGE(kSpiderDrilled),
      PASSAGE(kRedLiquid),
      PASSAGE(kRedFlame),
      PASSAGE(kRedCrystals),
      PASSAGE(kWasItTheOwner),
      PASSAGE(kWhereFromSpider),
      PASSAGE(kMothership),
      PASSAGE(kMorseKnocks),
      PASSAGE(kHatchFound),
      PASSAGE(kEscapeDive),
      PASSAGE(kEscapeCrewBoards),
      PASSAGE(kEscapeItch),
      PASSAGE(kEscapeEggs),
      PASSAGE(kEscapeCrawl),
      PASSAGE(kEscapeCrewMate),
  };
  for (std::size_t i = 0; i < kIntroductionTexts.size(); ++i) {
    passages["kIntroductionTexts[" + std::to_string(i) + "]"] = kIntroductionTexts[i];
  }
  return passages;
}

#undef PASSAGE

TEST(StoryPassagesTest, EachKeepsItsGivenWordsAndLength) {
  const std::vector<GivenPassage> given = ReadGivenPassages();
  const std::map<std::string, std::string_view> passages = PassagesByName();
  std::set<std::string> listed;
  for (const GivenPassage& passage : given) {
    SCOPED_TRACE("story_passages.txt:" + std::to_string(passage.line) + " " + passage.name);
    listed.insert(passage.name);
    const auto found = passages.find(passage.name);
    ASSERT_NE(found, passages.end()) << "no passage of that name";
    const std::string_view text = found->second;
    EXPECT_TRUE(text.starts_with(passage.opening)) << text.substr(0, passage.opening.size());
    EXPECT_TRUE(text.ends_with(passage.closing));
    const double length = static_cast<double>(CountCodePoints(text));
    EXPECT_LE(std::abs(length - passage.length), kLengthTolerance * passage.length)
        << length << " characters for " << passage.length;
  }
  for (const auto& [name, text] : passages) EXPECT_TRUE(listed.contains(name)) << name;
}

}  // namespace
}  // namespace vortila
