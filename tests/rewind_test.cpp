#include "app/rewind.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game_fixture.h"

namespace vortila {
namespace {

using testing::GameTest;

constexpr std::string_view kNothingToUndo = "Non c'è nulla da annullare.";

class RewindTest : public GameTest {
 protected:
  RewindTest() { StartAndPlay(); }
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
