#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "rules_fixture.h"

namespace vortila {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::RulesTest;

// In the lit vessel, with the tool box open: where most of the puzzles are played.
class LitVesselTest : public RulesTest {
 protected:
  LitVesselTest() {
    Do("accendi la torcia");
    Do("apri la cassetta");
  }
  // Both accumulators carried, unsealed, open and empty, ready for their plates.
  void OpenBothAccumulators() {
    for (std::string_view side : {"pila_sinistra", "pila_destra"}) {
      Location(side) = "stesso";
      Flags(side) = "%c%O[chiave]%C";
    }
    Location("diodi") = "n";
    Location("gialla") = "stesso";
    Location("grigia") = "stesso";
    Location("alcova_sinistra") = "vortila";
    Location("alcova_destra") = "vortila";
  }
};

TEST_F(RulesTest, TheTorchMovesThePlayerOnlyBetweenTheDarkAndTheLitRoom) {
  PlacePlayer("vortila2");
  EXPECT_THAT(Do("accendi la torcia"), Not(HasSubstr("Accendendo")));
  EXPECT_THAT(Do("spegni la torcia"), Not(HasSubstr("non vedi più niente")));
  EXPECT_EQ(world().CurrentRoom, Slot("vortila2"));
}

TEST_F(LitVesselTest, ExaminingShowsEachStateOnALineOfItsOwn) {
  Flags("cassetta") = "%f%c%O%A";
  EXPECT_THAT(Do("esamina la cassetta"), HasSubstr("della navetta.\nE' aperta.\nE' accesa.\n"));
  EXPECT_THAT(Do("esamina la rotella"), Not(HasSubstr("oblò vedi")));
}

TEST_F(LitVesselTest, TheWheelShowsOnThePortholeAndInTheBlood) {
  RestorePowerByHand();
  EXPECT_THAT(Said("esamina la rotella"), HasSubstr("punta rivolta verso il basso."));
  world().WheelPosition = 0;
  EXPECT_THAT(Do("esamina la rotella"), HasSubstr("una linea orizzontale."));
  Location("ragno_morto") = "vortila2";
  world().WheelPosition = 1;
  EXPECT_THAT(Do("esamina il sangue"), HasSubstr("E' chiaramente raggrumato."));
}

TEST_F(LitVesselTest, ThePressedButtonShowsOnlyThatItHasStoppedFlashing) {
  RestorePowerByHand();
  EXPECT_THAT(Do("esamina il tasto"), HasSubstr("Non vedo nulla del genere."));
  EXPECT_THAT(Do("esamina le console"), HasSubstr("spicca un tasto"));
  EXPECT_THAT(Do("esamina il tasto"), HasSubstr("lampeggia lentamente"));
  PressButtonByHand(0);
  EXPECT_EQ(Do("esamina il tasto"),
            "\n > ESAMINA IL TASTO\nIl tasto blu ha smesso di lampeggiare, e dentro di esso non "
            "si vede\nalcuna figura.\n");
}

TEST_F(RulesTest, LookingIntoContainers) {
  EXPECT_EQ(Do("guarda nella cassetta"),
            "\n > GUARDA NELLA CASSETTA\nNon posso fintanto che la cassetta degli attrezzi è "
            "chiusa.\n\n");
  Flags("cassetta") = "%f%c%o%t";
  EXPECT_THAT(Do("guarda nella cassetta"),
              HasSubstr("Dentro vedi: il cacciavite elettrico e la chiave esagonale."));
  EXPECT_THAT(Do("guarda nella torcia"), HasSubstr("Non puoi guardare dentro la torcia."));
  Flags("cassetta") = "%f%c%O";
  Location("cacciavite") = "n";
  Flags("chiave") = "%f%s";
  EXPECT_EQ(Do("guarda nella cassetta"), "\n > GUARDA NELLA CASSETTA\n");
  Location("chiave") = "n";
  EXPECT_THAT(Do("guarda nella cassetta"), HasSubstr("Non c'è niente dentro."));
}

TEST_F(RulesTest, TakingFromAHolderChecksWhereTheObjectIsBeforeTheLid) {
  Do("accendi la torcia");
  Location("gialla") = "vortila";
  Flags("cassetta") = "%f%c%o%t";
  EXPECT_THAT(Do("prendi la chiave dalla cassetta"),
              HasSubstr("Prima dovresti aprire la cassetta degli attrezzi."));
  EXPECT_THAT(Do("prendi la piastrina dalla cassetta"),
              HasSubstr("Non ci vedi la piastrina gialla."));
  EXPECT_THAT(Do("prendi tutto dalla cassetta"), HasSubstr("Prima dovresti aprire"));
}

TEST_F(LitVesselTest, DroppingEverythingWithOnlyWornThingsDropsNothing) {
  Do("posa tutto");
  // The tool box never leaves the suit: only without it is there nothing left to drop.
  Location("cassetta") = "n";
  EXPECT_THAT(Do("posa tutto"), HasSubstr("Non hai posato niente."));
}

TEST_F(LitVesselTest, TwoPlatesShareAnAccumulatorButTheDiodesShareItWithNothing) {
  OpenBothAccumulators();
  Location("diodi") = "stesso";
  Do("metti la piastrina gialla nell'accumulatore sinistro");
  EXPECT_THAT(Do("metti la piastrina grigia nell'accumulatore sinistro"),
              HasSubstr("Vi hai posato la piastrina grigia."));
  EXPECT_THAT(Do("metti i diodi nell'accumulatore sinistro"),
              HasSubstr("Non c'è posto per i diodi"));
}

TEST_F(LitVesselTest, ThePowerReturnsOnlyWithOnePlateInEachAccumulator) {
  OpenBothAccumulators();
  Do("metti la piastrina gialla nell'accumulatore sinistro");
  Do("metti la piastrina grigia nell'accumulatore sinistro");
  Flags("pila_sinistra") = "%c%o[chiave]%C";
  Flags("pila_destra") = "%c%o[chiave]%C";
  Do("metti l'accumulatore sinistro nella nicchia sinistra");
  EXPECT_THAT(Do("metti l'accumulatore destro nella nicchia destra"), Not(HasSubstr("Riponendo")));

  Location("grigia") = "pila_destra";
  Location("pila_destra") = "stesso";
  world().StoryClock = 10;
  EXPECT_THAT(Do("metti l'accumulatore destro nella nicchia destra"), HasSubstr("Riponendo"));
  EXPECT_EQ(world().CurrentRoom, Slot("vortila2"));
  EXPECT_EQ(world().StoryClock, 35);
}

TEST_F(LitVesselTest, NothingIsPutInsideWhatItHolds) {
  Flags("torcia") = "%f%A%c%O";
  Flags("chiave") = "%f%c";
  Location("chiave") = "torcia";
  EXPECT_THAT(Do("metti la torcia nella chiave"),
              HasSubstr("Non puoi mettere la torcia dentro la chiave esagonale."));
  EXPECT_EQ(Location("torcia"), "stesso");
}

TEST_F(LitVesselTest, ASealedContainerIsClosedEvenWhenOpen) {
  OpenBothAccumulators();
  Flags("pila_destra") = "%c%O[chiave]%k%C";
  EXPECT_THAT(Do("metti la piastrina gialla nell'accumulatore destro"),
              HasSubstr("Dovredsti prima aprire l'accumulatore destro."));
}

TEST_F(LitVesselTest, LocksThatNameTheirKey) {
  Do("prendi la chiave");
  Flags("cassetta") = "%f%c%O[chiave]";
  EXPECT_THAT(Do("chiudi la cassetta con la chiave"), HasSubstr("Possibile?:lock qualcosa"));
  // A lock that names no key is not opened by naming no tool.
  Flags("cassetta") = "%f%c%o[]";
  EXPECT_THAT(Do("apri la cassetta"),
              HasSubstr("Non puoi aprire la cassetta degli attrezzi con le mani."));
}

TEST_F(RulesTest, TheInventoryLooksIntoATransparentContainer) {
  Location("cacciavite") = "n";
  Flags("cassetta") = "%f%c%t";
  EXPECT_THAT(Said("i"),
              HasSubstr("la cassetta degli attrezzi (che contiene la chiave esagonale) e"));
  Location("chiave") = "n";
  EXPECT_THAT(Said("i"), HasSubstr("la cassetta degli attrezzi (che non contiene nulla) e"));
}

TEST_F(RulesTest, TheInventoryWithNothingCarriedOrWorn) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (world().objects.ObjectLocation[slot] == "stesso") {
      world().objects.ObjectLocation.Change(slot) = "n";
    }
  }
  EXPECT_THAT(Do("i"), HasSubstr("Non hai in mano nulla.\nTra l'altro in questo momento sei "
                                 "nudo come un verme!"));
  Location("gancio") = "stesso";
  EXPECT_THAT(Do("i"), HasSubstr("Hai con te il gancio.\n"));
}

TEST_F(RulesTest, WearingNeedsTheThingInHand) {
  Flags("gancio") = "%w";
  Location("gancio") = "vortila";
  Do("accendi la torcia");
  EXPECT_THAT(Do("indossa il gancio"), HasSubstr("Prima di indossare qualcosa devi possederla."));
  Do("prendi il gancio");
  EXPECT_THAT(Do("indossa il gancio"), HasSubstr("Ok."));
  EXPECT_EQ(Flags("gancio"), "%W");
}

TEST_F(RulesTest, TheHelmetOffInTheVesselsAirLetsTheLittleSpiderOut) {
  RestorePowerByHand();
  PressButtonByHand(0);
  const std::string air = Do("togliti il casco");
  EXPECT_THAT(air, HasSubstr("Con una certa trepidazione ti togli il casco... aah!"));
  EXPECT_THAT(air, HasSubstr("Probabilmente, pensi, questo deve essere il 'figlio'"));
  EXPECT_THAT(air, HasSubstr("Il ragnetto si muove veloce sul pavimento."));
  EXPECT_EQ(Location("ragnetto"), "vortila2");
  EXPECT_EQ(Location("aria2"), "vortila2");
  EXPECT_EQ(world().StoryClock, 84);

  const std::string jump = Do("mettiti il casco");
  EXPECT_THAT(jump, HasSubstr("Indossi il casco appena in tempo"));
  EXPECT_THAT(jump, Not(HasSubstr("Ok.")));
  EXPECT_THAT(jump, HasSubstr("Devi fare in fretta!"));
  EXPECT_EQ(Location("ragnetto2"), "vortila2");
  EXPECT_EQ(Location("aria1"), "casco");
  EXPECT_EQ(world().StoryClock, 75);

  EXPECT_THAT(Do("togliti il casco"), HasSubstr("Piuttosto che morire d'asfissia"));
  EXPECT_EQ(world().GameOverState, 11);
}

TEST_F(RulesTest, TheHelmetOffTooLateOrAtTheWrongSettingOnlyChangesItsFlag) {
  RestorePowerByHand();
  PressButtonByHand(0);
  world().StoryClock = 80;
  Do("togliti il casco");
  EXPECT_EQ(Location("ragnetto"), "nulla");
  EXPECT_EQ(Flags("casco"), "%w");
}

}  // namespace
}  // namespace vortila
