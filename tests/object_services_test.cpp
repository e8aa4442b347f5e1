#include "parser/object_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "parser_fixture.h"
#include "rules/describe_room.h"
#include "test_support.h"

namespace vortila {
namespace {

using testing::GameTest;
using testing::RecordingWindow;

class InventoryTest : public testing::ParserTest {
 protected:
  InventoryTest() {
    world.StoryClock = 6;
    AddObject(1, "stesso", "buio", "te stesso", "");
  }
};

// The label is kept while nothing it shows can have changed; whatever a command did, it must
// read as a label made afresh from the objects as they stand.
TEST_F(GameTest, TheInventoryLabelFollowsEveryKindOfChange) {
  StartAndPlay();
  const auto afresh = [&] {
    RecordingWindow other;
    Screen screen(other, folder.path());
    UpdateInventory(game.world, screen);
    return screen.Inventory;
  };
  const auto check = [&](std::string_view after) {
    PageThroughIntroduction();
    EXPECT_EQ(window.inventory, afresh()) << "after " << after;
  };
  for (std::string_view command :
       {"guarda", "apri la cassetta", "prendi la chiave", "metti la chiave nella cassetta",
        "guarda", "chiudi la cassetta", "apri la cassetta", "prendi la chiave",
        "posa la chiave", "prendi la chiave", "spegni la torcia", "accendi la torcia",
        "salva prova", "posa la chiave", "carica prova"}) {
    Type(command);
    check(command);
  }
  UndoTurn(game);
  check("annulla");
  Location("diodi") = "cassetta";
  Type("guarda");
  check("diodi put in the box between commands");
  game.world.objects.ObjectFlags.Change(FindObjectSlot(game.world.objects, "casco")) = "%w";
  Type("mettiti il casco");
  check("mettiti il casco");
  EXPECT_THAT(window.inventory, ::testing::HasSubstr("il casco*"));
  Type("togliti il casco");
  check("togliti il casco");
  Type("ricominciare");
  EXPECT_EQ(window.inventory, "");
  check("ricominciare");
}

TEST_F(InventoryTest, ListsCarriedObjectsInSlotOrderAndMarksWhatIsWorn) {
  AddObject(2, "casco", "stesso", "il casco", "", "%W");
  AddObject(3, "torcia", "stesso", "la torcia", "", "%f%a");
  AddObject(4, "gancio", "buio", "il gancio", "", "");
  UpdateInventory(world, screen);
  EXPECT_EQ(window.inventory, "> il casco*\r> la torcia\r");
  // A label put in place by other means (a step undone) is no label made from these objects.
  SetInventoryLabel(screen, "> il gancio\r");
  UpdateInventory(world, screen);
  EXPECT_EQ(window.inventory, "> il casco*\r> la torcia\r");
}

TEST_F(InventoryTest, AnOpenContainerShowsOnePlusForEachLooseThingInside) {
  AddObject(2, "cassetta", "stesso", "la cassetta", "", "%c%O");
  AddObject(3, "cacciavite", "cassetta", "il cacciavite", "", "");
  AddObject(4, "vite", "cassetta", "la vite", "", "%s");
  AddObject(5, "chiave", "cassetta", "la chiave", "", "");
  UpdateInventory(world, screen);
  EXPECT_EQ(window.inventory, "> la cassetta++\r");

  for (std::string_view closed : {"%c%o", "%c%k", "%O"}) {
    world.objects.ObjectFlags.Change(2) = closed;
    UpdateInventory(world, screen);
    EXPECT_EQ(window.inventory, "> la cassetta\r") << closed;
  }
}

TEST_F(InventoryTest, ReadsEachCodeWhereverItStandsInTheFlags) {
  AddObject(2, "casco", "stesso", "il casco", "", "%i[Un casco sicuro al 100%.]%W");
  AddObject(3, "borsa", "stesso", "la borsa", "", "%f%i[Una borsa.]%c%O%");
  AddObject(4, "mela", "borsa", "la mela", "", "%");
  UpdateInventory(world, screen);
  EXPECT_EQ(window.inventory, "> il casco*\r> la borsa+\r");
}

TEST_F(InventoryTest, TheIntroductionKeepsWhatTheLabelShowed) {
  window.inventory = "prima";
  world.StoryClock = 5;
  AddObject(2, "casco", "stesso", "il casco", "", "%W");
  UpdateInventory(world, screen);
  EXPECT_EQ(window.inventory, "prima");
}

class ObjectServicesTest : public testing::ParserTest {
 protected:
  ObjectServicesTest() {
    AddObject(1, "stesso", "", "te stesso", "me", "%R");
    AddObject(2, "stanza", "locazione", "La stanza", "camera", "%I[100.pkd]");
    PlacePlayer("stanza");
  }

  std::string List(std::string_view holder) {
    screen.LinesShown = 0;
    ListContents(parser, world.objects, screen, "Sul pavimento vedi ", holder);
    return Printed();
  }
};

TEST_F(ObjectServicesTest, ContentsReadAsOneItalianSentence) {
  EXPECT_EQ(List("stanza"), "");
  AddObject(3, "sasso", "stanza", "un sasso", "sasso");
  EXPECT_EQ(List("stanza"), "Sul pavimento vedi un sasso.\n");
  AddObject(4, "corda", "stanza", "una corda", "corda", "%f");
  EXPECT_EQ(List("stanza"), "Sul pavimento vedi un sasso e una corda.\n");
  AddObject(5, "vite", "stanza", "una vite", "vite", "%f");
  AddObject(6, "dado", "stanza", "un dado", "dado");
  EXPECT_EQ(List("stanza"), "Sul pavimento vedi un sasso, una corda, una vite e un dado.\n");
}

TEST_F(ObjectServicesTest, FixturesStayUnnamedAndStoryObjectsSpeakForThemselves) {
  AddObject(3, "console", "stanza", "la console", "console", "%f%s");
  AddObject(4, "ombra", "stanza", "l'ombra", "ombra", "%f%R");
  EXPECT_EQ(List("stanza"), "");

  AddObject(5, "ragno", "stanza", "il ragno", "ragno", "%i[Un ragno enorme pende dal soffitto.]");
  AddObject(6, "sasso", "stanza", "un sasso", "sasso");
  EXPECT_EQ(List("stanza"), "Un ragno enorme pende dal soffitto.\nSul pavimento vedi un sasso.\n");
  // Only the object with its own sentence becomes the referent of its pronoun.
  EXPECT_EQ(parser.ReferentMascSingular, 5);

  world.objects.ObjectFlags.Change(5) = "$i[Un ragno enorme pende dal soffitto.]";
  EXPECT_EQ(List("stanza"), "Sul pavimento vedi il ragno e un sasso.\n");
}

TEST_F(ObjectServicesTest, WhatThePlayerCanPerceive) {
  AddObject(3, "scatola", "stanza", "la scatola", "scatola", "%f%c%o");
  AddObject(4, "anello", "scatola", "l'anello", "anello");
  AddObject(5, "vassoio", "stesso", "il vassoio", "vassoio");
  AddObject(6, "tazza", "vassoio", "la tazza", "tazza", "%f");
  AddObject(7, "altrove", "locazione", "Altrove", "corridoio");
  AddObject(8, "vaso", "altrove", "il vaso", "vaso");
  AddObject(9, "polvere", "*", "la polvere", "polvere", "%f");
  EXPECT_FALSE(IsInScope(world.objects, Slot("anello")));
  EXPECT_TRUE(IsInScope(world.objects, Slot("tazza")));
  EXPECT_FALSE(IsInScope(world.objects, Slot("vaso")));
  EXPECT_TRUE(IsInScope(world.objects, Slot("polvere")));
  EXPECT_FALSE(IsInScope(world.objects, Slot("stanza")));

  for (const char* seeThrough : {"%f%c%O", "%f%c%o%t"}) {
    world.objects.ObjectFlags.Change(3) = seeThrough;
    EXPECT_TRUE(IsInScope(world.objects, Slot("anello"))) << seeThrough;
  }

  // Two holders inside each other lead nowhere the player is.
  world.objects.ObjectLocation.Change(3) = "anello";
  EXPECT_FALSE(IsInScope(world.objects, Slot("anello")));
  EXPECT_FALSE(IsInScope(world.objects, 0));
}

TEST_F(ObjectServicesTest, NamedFlagsAndBracketedTexts) {
  AddObject(3, "tasto", "stanza", "il tasto", "tasto", "%s$(premuto)%(acceso)");
  ToggleNamedFlag(world.objects, 3, "premuto");
  EXPECT_TRUE(HasNamedFlag(world.objects, 3, "premuto"));
  EXPECT_TRUE(HasNamedFlag(world.objects, 3, "acceso"));
  ToggleNamedFlag(world.objects, 3, "premuto");
  EXPECT_EQ(world.objects.ObjectFlags[3], "%s$(premuto)%(acceso)");
  ToggleNamedFlag(world.objects, 3, "assente");
  EXPECT_EQ(world.objects.ObjectFlags[3], "%s$(premuto)%(acceso)");
  EXPECT_FALSE(HasNamedFlag(world.objects, 3, "premuto"));
  // Only the name whole, in its own brackets after its own mark, is the flag.
  AddObject(4, "leva", "stanza", "la leva", "leva", "(premuto)x(premuto)%(premutone)$(premuto)");
  EXPECT_FALSE(HasNamedFlag(world.objects, 4, "premuto"));
  ToggleNamedFlag(world.objects, 4, "premuto");
  EXPECT_EQ(world.objects.ObjectFlags[4], "(premuto)x(premuto)%(premutone)%(premuto)");
  EXPECT_TRUE(HasNamedFlag(world.objects, 4, "premuto"));
  AddObject(5, "spia", "stanza", "la spia", "spia", "%s%(premut%(premuto");
  EXPECT_FALSE(HasNamedFlag(world.objects, 5, "premuto"));

  EXPECT_EQ(CodeArgument("%c%o[chiave]%f", "%o"), "chiave");
  EXPECT_EQ(CodeArgument("%f%I[009.pkd", "%I"), "009.pkd");
  EXPECT_EQ(CodeArgument("%f%I", "%I"), "");
  EXPECT_EQ(CodeArgument("%f", "%I"), "");

  AddObject(4, "sasso", "tasto", "un sasso", "sasso");
  AddObject(5, "vite", "tasto", "una vite", "vite", "%s");
  EXPECT_EQ(CountContents(world.objects, 3), 2);
}

TEST_F(ObjectServicesTest, PicturesWaitForTheIntroductionToBegin) {
  ShowObjectPicture(world, screen, 2);
  EXPECT_TRUE(window.pictures.empty());
  world.StoryClock = 1;
  ShowObjectPicture(world, screen, 2);
  ShowObjectPicture(world, screen, 1);
  EXPECT_EQ(window.pictures, std::vector<std::string>{"100.pkd"});
}

// A picture is a file of the game's folder: a name that reaches elsewhere shows nothing.
TEST_F(ObjectServicesTest, APictureNamedWithAFolderIsNotShown) {
  world.StoryClock = 1;
  for (std::string_view flags : {"%I[../100.pkd]", "%I[/dev/tty]", "%I[..]", "%I[]"}) {
    world.objects.ObjectFlags.Change(2) = flags;
    ShowObjectPicture(world, screen, 2);
  }
  EXPECT_TRUE(window.pictures.empty());
}

TEST_F(ObjectServicesTest, TheRoomDescriptionEndsWithTheFloorAndThePicture) {
  world.objects.ObjectDescription[2] = "Una stanza spoglia.";
  AddObject(3, "sasso", "stanza", "un sasso", "sasso");
  AddObject(4, "torcia", "stesso", "la torcia", "torcia", "%f");
  world.StoryClock = 7;
  screen.LinesShown = 0;
  DescribeRoom(world, screen, parser);
  EXPECT_EQ(Printed(), "LA STANZA\n\nUna stanza spoglia.\nSul pavimento vedi un sasso.\n");
  EXPECT_EQ(window.inventory, "> la torcia\r");
  EXPECT_EQ(window.pictures, std::vector<std::string>{"100.pkd"});
}

}  // namespace
}  // namespace vortila
