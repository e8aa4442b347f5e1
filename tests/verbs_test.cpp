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

TEST_F(RulesTest, TheTorchMovesThePlayerBetweenTheDarkAndTheLitRoomOnly) {
  const std::string lit = Do("accendi la torcia");
  EXPECT_THAT(lit, HasSubstr("Ok, hai acceso la torcia.\nAccendendo la torcia"));
  EXPECT_THAT(lit, HasSubstr("[immagine 009.pkd]"));
  EXPECT_EQ(world().objects.ObjectLocation[1], "vortila");
  EXPECT_EQ(world().CurrentRoom, Slot("vortila"));

  EXPECT_THAT(Do("spegni la torcia"), HasSubstr("Spegni la torcia e non vedi più niente."));
  EXPECT_EQ(world().CurrentRoom, Slot("buio"));

  PlacePlayer("vortila2");
  EXPECT_THAT(Do("accendi la torcia"), Not(HasSubstr("Accendendo")));
  EXPECT_THAT(Do("spegni la torcia"), Not(HasSubstr("non vedi più niente")));
  EXPECT_EQ(world().CurrentRoom, Slot("vortila2"));
  EXPECT_THAT(Do("accendi il casco"), HasSubstr("Non puoi accendere il casco."));
}

TEST_F(RulesTest, WhatIsDroppedInTheDarkLiesInTheLitRoom) {
  EXPECT_THAT(Do("posa il gancio"), HasSubstr("Non hai più il gancio."));
  EXPECT_EQ(Location("gancio"), "vortila");
  EXPECT_THAT(Do("prendi il gancio"), HasSubstr("Non vedo nulla del genere."));
  Do("accendi la torcia");
  EXPECT_THAT(Do("prendi il gancio"), HasSubstr("Hai preso il gancio."));
}

TEST_F(LitVesselTest, LookingAtTheBurnMarkAndTheNichesRevealsWhatTheyHideOnce) {
  EXPECT_THAT(Do("esamina la bruciatura"), HasSubstr("due nicchie"));
  EXPECT_EQ(Location("alcova_sinistra"), "vortila");
  EXPECT_THAT(Do("guarda nella nicchia sinistra"), HasSubstr("la piastrina gialla"));
  EXPECT_THAT(Do("prendi la piastrina gialla"), HasSubstr("Hai preso la piastrina gialla."));
  EXPECT_THAT(Do("esamina la nicchia sinistra"), Not(HasSubstr("piastrina")));
  EXPECT_EQ(Location("gialla"), "stesso");
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
  EXPECT_THAT(Do("esamina le console"), HasSubstr("tasto blu"));
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

TEST_F(LitVesselTest, TakingEverythingTakesWhatCanBeTakenOneByOne) {
  const std::string taken = Do("prendi tutto");
  EXPECT_THAT(taken,
              HasSubstr("Hai preso l'accumulatore sinistro.\nHai preso l'accumulatore destro."));
  EXPECT_THAT(taken, Not(HasSubstr("rotella")));
  EXPECT_EQ(Flags("pila_sinistra"),
            "%c%k[chiave]%C$i[Sul lato sinistro del pavimento giace un accumulatore.]");
  EXPECT_THAT(Do("prendi tutto"), HasSubstr("Non hai preso niente."));
  EXPECT_THAT(Do("prendi tutto dalla cassetta"),
              HasSubstr("Hai preso il cacciavite elettrico.\nHai preso la chiave esagonale."));
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

TEST_F(LitVesselTest, FixedThingsRefuseInTheirOwnWords) {
  EXPECT_THAT(Do("prendi la rotella"),
              HasSubstr("La rotella è incassata nella parete: puoi solo girarla."));
  EXPECT_THAT(Do("prendi la cassetta"), HasSubstr("La cassettà è incorporata alla tuta."));
  EXPECT_THAT(Do("prendi la torcia"), HasSubstr("Non vedi che hai già la torcia?"));
  EXPECT_THAT(Do("prendi me"), HasSubstr("Non puoi prendere te stesso!"));
  EXPECT_THAT(Do("posa la cassetta"), HasSubstr("La cassetta non può essere separata dalla tuta."));
  EXPECT_THAT(Do("posa la tuta"),
              HasSubstr("Non puoi gettare la tuta spaziale, fintanto che l'indossi."));
}

TEST_F(LitVesselTest, DroppingEverythingLeavesWhatIsWorn) {
  const std::string dropped = Do("posa tutto");
  EXPECT_THAT(dropped, HasSubstr("Non hai più la torcia.\n"));
  EXPECT_THAT(dropped, Not(HasSubstr("casco")));
  EXPECT_EQ(Location("casco"), "stesso");
  // The tool box never leaves the suit: only without it is there nothing left to drop.
  EXPECT_THAT(Do("posa tutto"), HasSubstr("La cassetta non può essere separata dalla tuta."));
  Location("cassetta") = "n";
  EXPECT_THAT(Do("posa tutto"), HasSubstr("Non hai posato niente."));
}

TEST_F(LitVesselTest, AnAccumulatorTakesOnlyThePlatesAndTheDiodesShareItWithNothing) {
  OpenBothAccumulators();
  Location("diodi") = "stesso";
  EXPECT_THAT(Do("metti il gancio nell'accumulatore sinistro"),
              HasSubstr("Non puoi mettere il gancio dentro l'accumulatore sinistro."));
  EXPECT_THAT(Do("metti i diodi nell'accumulatore sinistro"),
              HasSubstr("Vi hai posato i diodi bruciati."));
  EXPECT_THAT(Do("metti la piastrina gialla nell'accumulatore sinistro"),
              HasSubstr("Non c'è posto per la piastrina gialla dentro l'accumulatore sinistro."));
  Do("prendi i diodi dall'accumulatore sinistro");
  EXPECT_THAT(
      Do("metti la piastrina gialla nell'accumulatore sinistro"),
      HasSubstr("Vi hai posato la piastrina gialla.\nLa piastrina si incastra perfettamente."));
  EXPECT_THAT(Do("metti la piastrina grigia nell'accumulatore sinistro"),
              HasSubstr("Vi hai posato"));
  EXPECT_THAT(Do("metti i diodi nell'accumulatore sinistro"),
              HasSubstr("Non c'è posto per i diodi"));
}

TEST_F(LitVesselTest, ANicheTakesOneClosedAccumulator) {
  OpenBothAccumulators();
  EXPECT_THAT(Do("metti il gancio nella nicchia sinistra"),
              HasSubstr("Dentro la nicchia non ci sta."));
  EXPECT_THAT(Do("metti l'accumulatore sinistro nella nicchia sinistra"),
              HasSubstr("Prima di riporre l'accumulatore devi chiuderlo."));
  Flags("pila_sinistra") = "%c%o[chiave]%C";
  Do("metti l'accumulatore sinistro nella nicchia sinistra");
  EXPECT_EQ(Location("pila_sinistra"), "alcova_sinistra");
  EXPECT_THAT(Do("metti l'accumulatore destro nella nicchia sinistra"),
              HasSubstr("Nella nicchia c'è già l'altro accumulatore!"));
  EXPECT_THAT(
      Do("posa la piastrina grigia"),
      HasSubstr("Non hai più la piastrina grigia.\nLa piastrina si incastra perfettamente."));
}

TEST_F(LitVesselTest, ThePowerReturnsWithAPlateInEachAccumulatorAndBothInTheirNiches) {
  OpenBothAccumulators();
  Do("metti la piastrina gialla nell'accumulatore sinistro");
  Do("metti la piastrina grigia nell'accumulatore sinistro");
  Flags("pila_sinistra") = "%c%o[chiave]%C";
  Flags("pila_destra") = "%c%o[chiave]%C";
  Do("metti l'accumulatore sinistro nella nicchia sinistra");
  EXPECT_THAT(Do("metti l'accumulatore destro nella nicchia destra"), Not(HasSubstr("Riponendo")));

  Do("ricomincia");
  while (session.TextInput() == kPagePrompt) session.Enter("");
  Do("accendi la torcia");
  OpenBothAccumulators();
  Do("metti la piastrina gialla nell'accumulatore sinistro");
  Do("metti la piastrina grigia nell'accumulatore destro");
  Flags("pila_sinistra") = "%c%o[chiave]%C";
  Flags("pila_destra") = "%c%o[chiave]%C";
  Do("metti l'accumulatore sinistro nella nicchia destra");
  const std::string power = Do("metti l'accumulatore destro nella nicchia sinistra");
  EXPECT_THAT(power, HasSubstr("[immagine 014.pkd]"));
  EXPECT_THAT(power, HasSubstr("Riponendo i due accumulatori nelle nicchie ripristini l'energia"));
  EXPECT_THAT(power, HasSubstr("Guardandoti intorno noti sul pavimento degli strani detriti"));
  EXPECT_EQ(world().CurrentRoom, Slot("vortila2"));
  EXPECT_EQ(Location("rotella"), "vortila2");
  EXPECT_EQ(Location("bruciatura"), "n");
  EXPECT_EQ(Location("alcova_destra"), "n");
  EXPECT_GE(world().StoryClock, 34);
  EXPECT_THAT(Do("guarda"), HasSubstr("LA VORTILA RISVEGLIATA"));
}

TEST_F(LitVesselTest, NothingIsPutInsideWhatItHolds) {
  Flags("torcia") = "%f%A%c%O";
  Flags("chiave") = "%f%c";
  Location("chiave") = "torcia";
  EXPECT_THAT(Do("metti la torcia nella chiave"),
              HasSubstr("Non puoi mettere la torcia dentro la chiave esagonale."));
  EXPECT_EQ(Location("torcia"), "stesso");
  EXPECT_THAT(Do("metti la torcia nella torcia"), HasSubstr("Non sei mica il mago Silvan!"));
}

TEST_F(LitVesselTest, PuttingIntoThingsThatAreNotOpenContainers) {
  OpenBothAccumulators();
  Flags("pila_destra") = "%c%O[chiave]%k%C";
  EXPECT_THAT(Do("metti la piastrina gialla nell'accumulatore destro"),
              HasSubstr("Dovredsti prima aprire l'accumulatore destro."));
  EXPECT_THAT(Do("metti il gancio nella torcia"),
              HasSubstr("Non si può mettere nulla dentro la torcia."));
  EXPECT_THAT(Do("metti il gancio in me"),
              HasSubstr("Non ho capito bene se vuoi mangiare il gancio."));
  EXPECT_THAT(Do("metti il gancio sulla torcia"),
              HasSubstr("Non si può mettere nulla sopra la torcia."));
  EXPECT_THAT(Do("metti il gancio sul pavimento"), HasSubstr("Non hai più il gancio."));
  EXPECT_EQ(Location("gancio"), "vortila");
}

TEST_F(LitVesselTest, OpeningAndClosingByHandAndWithATool) {
  EXPECT_THAT(Do("apri la cassetta"), HasSubstr("E' già aperta."));
  EXPECT_THAT(Do("chiudi la cassetta"), HasSubstr("Ok, hai chiudo la cassetta degli attrezzi."));
  EXPECT_THAT(Do("apri l'accumulatore sinistro"),
              HasSubstr("Non hai in mano l'accumulatore sinistro."));
  Do("apri la cassetta");
  Do("prendi la chiave");
  Do("prendi il cacciavite");
  Do("prendi l'accumulatore sinistro");
  EXPECT_THAT(Do("apri l'accumulatore sinistro"),
              HasSubstr("Con le sole mani non riesci ad aprire l'accumulatore sinistro."));
  // Any tool breaks the seal; only the key opens the lid.
  EXPECT_THAT(Do("apri l'accumulatore sinistro con il cacciavite"),
              HasSubstr("Non puoi aprire l'accumulatore sinistro con il cacciavite elettrico."));
  EXPECT_THAT(Do("apri l'accumulatore sinistro"),
              HasSubstr("Non puoi aprire l'accumulatore sinistro con le mani."));
  EXPECT_THAT(Do("apri l'accumulatore sinistro con la chiave"),
              HasSubstr("Ok, hai aperto l'accumulatore sinistro con la chiave esagonale."));
  EXPECT_THAT(Do("apri l'accumulatore sinistro con la chiave"), HasSubstr("Non è necessario."));
  EXPECT_THAT(Do("chiudi l'accumulatore sinistro"),
              HasSubstr("Non puoi chiudere l'accumulatore sinistro con le mani."));
  EXPECT_THAT(Do("chiudi l'accumulatore sinistro con la chiave"),
              HasSubstr("Ok, hai chiuso l'accumulatore sinistro con la chiave esagonale."));
  EXPECT_THAT(Do("chiudi la torcia con la chiave"), HasSubstr("Non ha senso."));
  EXPECT_THAT(Do("apri la torcia con l'accumulatore destro"),
              HasSubstr("Non hai in mano l'accumulatore destro."));
  Flags("cassetta") = "%f%c%O[chiave]";
  EXPECT_THAT(Do("chiudi la cassetta con la chiave"), HasSubstr("Possibile?:lock qualcosa"));
  // A lock that names no key is not opened by naming no tool.
  Flags("cassetta") = "%f%c%o[]";
  EXPECT_THAT(Do("apri la cassetta"),
              HasSubstr("Non puoi aprire la cassetta degli attrezzi con le mani."));
}

TEST_F(RulesTest, TheInventoryIsOneSentenceWithOpenContainersInBrackets) {
  EXPECT_THAT(Do("inventario"),
              HasSubstr("Hai con te la torcia, la cassetta degli attrezzi (che è chiusa) e\nil "
                        "gancio.\nInvece stai indossando la tuta spaziale e il casco.\n"));
  Do("apri la cassetta");
  EXPECT_THAT(Said("i"), HasSubstr("(che è aperta e contiene il cacciavite elettrico e la "
                                   "chiave esagonale) e il gancio."));
  Location("cacciavite") = "n";
  Location("chiave") = "n";
  Flags("cassetta") = "%f%c%t";
  EXPECT_THAT(Said("i"), HasSubstr("la cassetta degli attrezzi (che non contiene nulla) e"));
}

TEST_F(RulesTest, TheInventoryWithNothingCarriedOrWorn) {
  for (std::string& location : world().objects.ObjectLocation) {
    if (location == "stesso") location = "n";
  }
  EXPECT_THAT(Do("i"), HasSubstr("Non hai in mano nulla.\nTra l'altro in questo momento sei "
                                 "nudo come un verme!"));
  Location("gancio") = "stesso";
  EXPECT_THAT(Do("i"), HasSubstr("Hai con te il gancio.\n"));
}

TEST_F(RulesTest, WearingNeedsTheThingInHandAndAWearableOne) {
  EXPECT_THAT(Do("indossa il casco"), HasSubstr("Stai già indossando il casco."));
  EXPECT_THAT(Do("indossa la torcia"),
              HasSubstr("Non ci provi nemmeno a metterti addosso la torcia."));
  EXPECT_THAT(Do("togliti la tuta"), HasSubstr("Rimarresti nudo."));
  EXPECT_THAT(Do("togliti la torcia"), HasSubstr("Non sto indossando la torcia!"));
  EXPECT_THAT(Do("togliti tutto"), HasSubstr("Togliti una cosa alla volta!"));
  Flags("gancio") = "%w";
  Location("gancio") = "n";
  Do("accendi la torcia");
  Location("gancio") = "vortila";
  EXPECT_THAT(Do("indossa il gancio"), HasSubstr("Prima di indossare qualcosa devi possederla."));
  Do("prendi il gancio");
  EXPECT_THAT(Do("indossa il gancio"), HasSubstr("Ok."));
  EXPECT_EQ(Flags("gancio"), "%W");
}

TEST_F(RulesTest, TheHelmetOffInTheAirlessVesselKills) {
  const std::string death = Do("togliti il casco");
  EXPECT_THAT(death, HasSubstr("Decidi di toglierti il casco per provare a respirare"));
  EXPECT_EQ(world().GameOverState, 1);
  EXPECT_EQ(Flags("casco"), "%w");
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

TEST_F(RulesTest, TheLittleSpiderGetsInTwoCommandsAfterItAppears) {
  RestorePowerByHand();
  PressButtonByHand(0);
  Do("togliti il casco");
  EXPECT_THAT(Do("aspetta"), HasSubstr("si fa sempre più vicino."));
  EXPECT_THAT(Do("aspetta"), HasSubstr("con un balzo"));
  EXPECT_EQ(world().GameOverState, 15);
}

TEST_F(RulesTest, TheHelmetOffAfterTheLittleSpiderDiesBringsTheKnocks) {
  RestorePowerByHand();
  PressButtonByHand(0);
  Location("ragnetto") = "nn";
  Location("ragnetto4") = "vortila2";
  const std::string broken = Do("togliti il casco");
  EXPECT_THAT(broken, HasSubstr("noti con orrore"));
  EXPECT_THAT(broken, HasSubstr("sembrano dei colpi"));
  EXPECT_EQ(Location("casco"), "n");
  EXPECT_EQ(Location("casco_rotto"), "vortila2");
  EXPECT_THAT(Do("aspetta"), HasSubstr("Non ci sono dubbi"));
  Do("aspetta");
  EXPECT_THAT(Do("aspetta"), HasSubstr("I battiti che sentivi sembrano essere scomparsi."));
  EXPECT_THAT(Do("aspetta"), HasSubstr("Mentre cazzeggi allegramente"));
  EXPECT_EQ(world().GameOverState, 16);
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
