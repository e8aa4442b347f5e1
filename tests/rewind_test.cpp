#include "app/rewind.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace vortila {
namespace {

using testing::GameTest;

constexpr std::string_view kNothingToUndo = "Non c'è nulla da annullare.";

// What a step gives back: where the objects are, their flags, the story variables, and the
// label and picture the window shows.
struct Moment {
  ObjectTable::Column<std::string> locations;
  ObjectTable::Column<std::string> flags;
  int room = 0;
  int clock = 0;
  int over = 0;
  int wheel = 0;
  std::string inventory;
  std::string picture;
  bool operator==(const Moment&) const = default;
};

class RewindTest : public GameTest {
 protected:
  RewindTest() { StartAndPlay(); }

  Moment now() const {
    const World& world = game.world;
    return Moment{world.objects.ObjectLocation.texts(), world.objects.ObjectFlags.texts(),
                  world.CurrentRoom, world.StoryClock, world.GameOverState, world.WheelPosition,
                  window.inventory, window.pictures.back()};
  }
};

TEST_F(RewindTest, CtrlZAfterADeathGoesBackToJustBeforeTheFatalCommand) {
  Type("posa il gancio");
  const int clock = game.world.StoryClock;
  const std::string inventory = window.inventory;
  const std::string picture = game.screen.Picture;
  Type("togliti il casco");
  ASSERT_EQ(game.world.GameOverState, 1);
  ASSERT_EQ(window.pictures.back(), "016.pkd");

  // The typed answers after an ending stay as they are.
  Type("annulla");
  EXPECT_TRUE(Shows("Puoi soltanto RICOMINCIARE o FINIRE."));
  EXPECT_EQ(game.world.GameOverState, 1);

  UndoTurn(game);
  EXPECT_TRUE(Shows("Ho annullato il comando «TOGLITI IL CASCO»."));
  EXPECT_EQ(game.world.GameOverState, 0);
  EXPECT_EQ(game.world.StoryClock, clock);
  EXPECT_EQ(window.inventory, inventory);
  EXPECT_EQ(window.pictures.back(), picture);
  Type("inventario");
  EXPECT_TRUE(Shows("Invece stai indossando la tuta spaziale e il casco."));
}

TEST_F(RewindTest, GoesBackAHundredTurnsAndNoFurther) {
  Type("posa il gancio");
  // The clock parks once the air is out; keep it running so that every turn is a turn.
  for (int turn = 0; turn < 120; ++turn) {
    game.world.StoryClock = 40;
    Type("aspetta");
  }
  for (std::size_t undone = 0; undone < kRewindLevels; ++undone) UndoTurn(game);
  EXPECT_TRUE(Shows("Ho annullato il comando «ASPETTA»."));
  EXPECT_NE(Location("gancio"), "stesso");
  EXPECT_EQ(game.world.StoryClock, 40);
  UndoTurn(game);
  EXPECT_EQ(game.screen.Textlines[kBottomRow], kNothingToUndo);
}

TEST_F(RewindTest, EveryStepOfARingGoneRoundComesBackExactly) {
  // Places and flags of changing lengths, so that a step taken in the storage of an older
  // one finds it too large or too small.
  constexpr std::string_view kCommands[] = {"posa il gancio", "apri la cassetta",
                                            "prendi il gancio", "chiudi la cassetta"};
  Type("accendi la torcia");
  std::vector<Moment> before;
  for (std::size_t turn = 0; turn < 2 * kRewindLevels + 30; ++turn) {
    game.world.StoryClock = 40;
    before.push_back(now());
    Type(kCommands[turn % std::size(kCommands)]);
  }
  // A command that is no step takes its snapshot beside the full ring, not over its oldest.
  Type("xyzzy");
  for (std::size_t undone = 1; undone <= kRewindLevels; ++undone) {
    UndoTurn(game);
    ASSERT_TRUE(now() == before[before.size() - undone]) << "step " << undone;
  }
  UndoTurn(game);
  EXPECT_EQ(game.screen.Textlines[kBottomRow], kNothingToUndo);
}

// The texts a step gives back are those that changed after its snapshot, however they
// changed: in its own command, in a later one that was no step, between commands, in a load,
// or again after a step above it was undone.
TEST_F(RewindTest, AnyMixOfStepsUndoingAndChangesBetweenComesBackExactly) {
  constexpr std::string_view kCommands[] = {
      "posa il gancio",    "prendi il gancio",  "apri la cassetta",  "chiudi la cassetta",
      "prendi la cassetta", "posa la cassetta", "metti il gancio nella cassetta",
      "spegni la torcia",  "accendi la torcia", "guarda",            "xyzzy",
      "salva prova",       "carica prova",      "annulla",           "annulla"};
  Type("accendi la torcia");
  std::vector<Moment> beforeSteps;
  std::mt19937 random(18);
  for (int turn = 0; turn < 600; ++turn) {
    game.world.StoryClock = 40;
    const std::size_t pick = random() % (std::size(kCommands) + 1);
    if (pick == std::size(kCommands)) {
      // Written outside any command: it belongs to the newest step, whose undoing takes it back.
      Location("diodi") = Location("diodi") == "stesso" ? "n" : "stesso";
    } else if (kCommands[pick] == "annulla" || beforeSteps.size() == kRewindLevels - 1) {
      UndoTurn(game);
      if (beforeSteps.empty()) continue;
      ASSERT_TRUE(now() == beforeSteps.back()) << "turn " << turn;
      beforeSteps.pop_back();
    } else {
      const Moment before = now();
      const std::size_t steps = game.rewind.size();
      Type(kCommands[pick]);
      PageThroughIntroduction();
      if (game.rewind.size() > steps) beforeSteps.push_back(before);
    }
  }
  ASSERT_FALSE(beforeSteps.empty());
  while (!beforeSteps.empty()) {
    UndoTurn(game);
    ASSERT_TRUE(now() == beforeSteps.back()) << beforeSteps.size() << " steps left";
    beforeSteps.pop_back();
  }
}

TEST_F(RewindTest, ARestartAndAWholeWorldPutInPlaceAreUndoneWhole) {
  Type("posa il gancio");
  const Moment beforeRestart = now();
  Type("ricomincia");
  PageThroughIntroduction();
  const Moment beforeDrop = now();
  Type("posa il gancio");
  // A world copied in whole, as the fuzzers' reset does, counts as changed everywhere.
  World copy = game.world;
  copy.objects.ObjectLocation.Change(FindObjectSlot(copy.objects, "torcia")) = "n";
  game.world = copy;
  UndoTurn(game);
  EXPECT_TRUE(now() == beforeDrop) << "the world copied in was not taken back";
  UndoTurn(game);
  EXPECT_TRUE(now() == beforeRestart);
}

TEST_F(RewindTest, AfterForgettingEveryStepTheNextAreUndoneExactly) {
  Type("posa il gancio");
  game.rewind.clear();
  Location("gancio") = "n";
  const Moment before = now();
  Type("accendi la torcia");
  Type("spegni la torcia");
  UndoTurn(game);
  UndoTurn(game);
  EXPECT_TRUE(now() == before);
  UndoTurn(game);
  EXPECT_EQ(game.screen.Textlines[kBottomRow], kNothingToUndo);
}

TEST_F(RewindTest, UndoingDropsWhatAHeldPageStillHeld) {
  Type("accendi la torcia");
  Type("ricomincia");
  ASSERT_EQ(window.commandBox, kPagePrompt);
  UndoTurn(game);
  EXPECT_TRUE(game.screen.HeldText.empty());
  EXPECT_EQ(window.commandBox, "");
  EXPECT_EQ(game.screen.Textlines[kBottomRow], "Ho annullato il comando «RICOMINCIA».");
  EXPECT_EQ(window.pictures.back(), "009.pkd");
  EXPECT_THAT(window.inventory, ::testing::HasSubstr("la torcia"));
}

TEST_F(GameTest, WithAPageHeldAndNothingToUndoThePageGoesOn) {
  StartGame(game);
  const std::string held = game.screen.HeldText.Text();
  UndoTurn(game);
  EXPECT_EQ(game.screen.HeldText.Text(), held);
  EXPECT_EQ(window.commandBox, kPagePrompt);
}

TEST_F(GameTest, ARestartEmptiesTheInventoryAtOnce) {
  StartAndPlay();
  ASSERT_NE(window.inventory, "");
  Type("ricomincia");
  EXPECT_EQ(window.inventory, "");
}

}  // namespace
}  // namespace vortila
