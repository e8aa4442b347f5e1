#include "rules/turn.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/endings.h"
#include "rules_fixture.h"

namespace vortila {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::RulesTest;
using ::testing::StartsWith;

constexpr std::string_view kDeathLine = "**** SEI MORTO !! ****";
constexpr std::string_view kFirstWarning =
    "Ti avvedi che la tua tuta spaziale ha ancora pochissima aria.";

// A command that takes no time lets nothing happen meanwhile: a save while the little
// spider closes in does not move it, a parked clock stays parked, and a save on the last
// breath does not end the game.
TEST_F(RulesTest, ACommandThatTakesNoTimeLetsNoEventHappen) {
  world().StoryClock = 84;
  EXPECT_EQ(Do("salva la torcia"), "\n > SALVA LA TORCIA\nNon puoi salvare la torcia.\n");
  EXPECT_EQ(world().StoryClock, 84);
  EXPECT_THAT(Do("aspetta"), HasSubstr("Il ragnetto si muove ancora"));
  EXPECT_EQ(world().StoryClock, 85);

  world().StoryClock = 82;
  Do("salva prova");
  EXPECT_EQ(world().StoryClock, 82);
  Do("aspetta");
  EXPECT_EQ(world().StoryClock, 82);

  world().StoryClock = 80;
  EXPECT_EQ(Do("salva prova"), "\n > SALVA PROVA\nHo salvato nel file 'prova.sav'.\n");
  EXPECT_EQ(world().GameOverState, 0);
  EXPECT_THAT(Do("carica prova"), Not(HasSubstr(kDeathLine)));
  EXPECT_EQ(world().StoryClock, 80);
  EXPECT_THAT(Do("aspetta"), HasSubstr(kDeathLine));
}

TEST_F(RulesTest, AnAmbiguousCommandDoesNothingButCountsAndRemembersItsObject) {
  Do("accendi la torcia");
  Location("gialla") = "vortila";
  Location("grigia") = "vortila";
  const int clock = world().StoryClock;
  EXPECT_THAT(Do("prendi la piastrina"), Not(HasSubstr("Hai preso")));
  EXPECT_EQ(world().StoryClock, clock + 1);
  EXPECT_EQ(Location("gialla"), "vortila");
  EXPECT_EQ(game().parser.ReferentFemSingular, Slot("gialla"));
  EXPECT_EQ(game().turn.PreviousFirstObject, Slot("gialla"));
}

TEST_F(RulesTest, ThePressedButtonKillsWithTheHelmetOffAtEitherEndOfTheWheel) {
  RestorePowerByHand();
  Flags("casco") = "%w";
  PressButtonByHand(1);
  std::string burned = Said("aspetta");
  EXPECT_THAT(burned, HasSubstr("Crolli al suolo completamente carbonizzato."));
  EXPECT_THAT(burned, HasSubstr(kDeathLine));
  EXPECT_EQ(world().GameOverState, 9);
  EXPECT_EQ(world().StoryClock, 82);

  Do("ricominciare");
  while (session.TextInput() == kPagePrompt) session.Enter("");
  RestorePowerByHand();
  Flags("casco") = "%w";
  PressButtonByHand(-1);
  EXPECT_THAT(Said("guarda"), HasSubstr("completamente congelato (e vai anche a pezzi)."));
  EXPECT_EQ(world().GameOverState, 8);
}

TEST_F(RulesTest, ThePressedButtonIsHarmlessWithTheHelmetOnOrTheWheelInTheMiddle) {
  RestorePowerByHand();
  PressButtonByHand(1);
  Do("aspetta");
  Flags("casco") = "%w";
  world().WheelPosition = 0;
  Do("aspetta");
  EXPECT_EQ(world().GameOverState, 0);
}

TEST_F(RulesTest, TheAirThreadWinsOverADeathInTheSameCommand) {
  world().StoryClock = 80;
  const std::string ending = Do("accendi il razzetto");
  EXPECT_THAT(ending, HasSubstr("La mancanza d'aria ti è stata fatale:"));
  EXPECT_THAT(ending, Not(HasSubstr("Bell'idea")));
}

TEST_F(RulesTest, QuittingEndsAtOnceAndKeepsTheSettings) {
  const int clock = world().StoryClock;
  Do("fine");
  EXPECT_TRUE(session.Ended());
  EXPECT_EQ(world().StoryClock, clock);
  EXPECT_TRUE(folder.Has("iniziale.ini"));
}

TEST_F(RulesTest, TheVictoryIsToldOnceAndWaitsForTheChoice) {
  const GameControl control;
  Rules rules{game().folders.player, world(), game().screen, game().parser, session, game().turn, control};
  game().screen.LinesShown = 0;
  int code = kVictoryPending;
  ShowEnding(rules, code);
  EXPECT_EQ(code, kVictoryShown);
  EXPECT_THAT(game().screen.Textlines[kBottomRow], StartsWith("Vuoi RICOMINCIARE o FINIRE?"));
}

TEST_F(RulesTest, AVerbNoRuleKnowsDoesNothingButTheTurnStillEnds) {
  const GameControl control;
  Rules rules{game().folders.player, world(), game().screen, game().parser, session, game().turn, control};
  game().parser.TokenValues[1][0] = 150;
  game().parser.TokenCodes[2] = kPlainWord;
  world().StoryClock = 7;
  RunTurn(rules);
  EXPECT_EQ(world().StoryClock, 8);
  EXPECT_EQ(game().screen.Textlines[kBottomRow], kFirstWarning);
  EXPECT_EQ(game().turn.CurrentVerb, 150);
  EXPECT_EQ(game().turn.FirstObject, 0);
}

// Every verb the table knows, with every object the parser could deliver and some it never
// would, must answer without reading outside the tables and without writing into slot 0,
// the slot that stands for "none".
TEST_F(RulesTest, EveryVerbIsSafeWithAnyObjects) {
  const GameControl control{[] {}, [] {}};
  Rules rules{game().folders.player, world(), game().screen, game().parser, session, game().turn, control};
  Do("accendi la torcia");
  const World start = world();
  for (int code = 2; code <= 99; ++code) {
    if (code == 18 || code == 19) continue;  // the transcript and the restart touch files
    for (int first = 0; first <= kObjectSlots; ++first) {
      for (int second : {0, 1, first, Slot("cassetta"), Slot("pila_destra"), kObjectSlots}) {
        world().objects = start.objects;
        world().CurrentRoom = start.CurrentRoom;
        game().screen.LinesShown = 0;
        game().screen.HeldText.clear();
        game().turn.CurrentVerb = code;
        game().turn.FirstObject = first;
        game().turn.SecondObject = second;
        game().turn.PreviousFirstObject = second;
        PerformVerb(rules);
        const ObjectTable& objects = world().objects;
        ASSERT_TRUE(objects.ObjectId[0].empty() && objects.ObjectLocation[0].empty() &&
                    objects.ObjectFlags[0].empty())
            << "code " << code << " with " << first << " and " << second;
        ASSERT_GE(world().CurrentRoom, 1) << "code " << code;
      }
    }
  }
}

}  // namespace
}  // namespace vortila
