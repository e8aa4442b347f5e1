#include <sys/resource.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>

#include "rules_fixture.h"
#include "world/saved_game.h"

namespace vortila {
namespace {

using ::testing::HasSubstr;
using testing::RulesTest;

constexpr std::string_view kLoadError = "Errore nel caricamento: nome del file o percorso errato.";
constexpr std::string_view kSaveError =
    "Errore nel salvataggio: nome del file o percorso errato.";

// What a saved game holds, so that a test can tell whether any of it changed.
SavedGame Snapshot(const World& world) {
  SavedGame state;
  state.locations = world.objects.ObjectLocation.texts();
  state.flags = world.objects.ObjectFlags.texts();
  state.StoryClock = world.StoryClock;
  state.WheelPosition = world.WheelPosition;
  state.CurrentRoom = world.CurrentRoom;
  return state;
}

bool operator==(const SavedGame& a, const SavedGame& b) {
  return a.locations == b.locations && a.flags == b.flags && a.StoryClock == b.StoryClock &&
         a.WheelPosition == b.WheelPosition && a.CurrentRoom == b.CurrentRoom;
}

class SavedGameTest : public RulesTest {
 protected:
  // A game saved as "buona.sav", then played on a little, so that a load that went through
  // would show.
  SavedGameTest() {
    Do("accendi la torcia");
    Do("salva buona");
    good = folder.Read("buona.sav");
    Do("apri la cassetta");
    Do("prendi la chiave");
  }

  // Loading `contents` is refused with the error, and changes nothing in play.
  void ExpectRefusedLoad(std::string_view contents) {
    folder.Write("rotta.sav", contents);
    const SavedGame before = Snapshot(world());
    const std::string said = Do("carica rotta");
    EXPECT_THAT(said, HasSubstr(kLoadError));
    EXPECT_TRUE(Snapshot(world()) == before);
  }

  // The good file with its line `number` (1-based) replaced.
  std::string WithLine(int number, std::string_view replacement) const {
    std::string text = good;
    std::size_t start = 0;
    for (int line = 1; line < number; ++line) start = text.find("\r\n", start) + 2;
    text.replace(start, text.find("\r\n", start) - start, replacement);
    return text;
  }

  std::string good;
};

TEST_F(SavedGameTest, TheFileHoldsEachObjectOnTwoLinesAndThenTheThreeNumbers) {
  EXPECT_EQ(std::count(good.begin(), good.end(), '\n'), 103);
  EXPECT_EQ(std::count(good.begin(), good.end(), '\r'), 103);
  // The player first, standing in the lit room; the unused slots last, empty.
  EXPECT_THAT(good, ::testing::StartsWith("vortila\r\n\"%s%R\"\r\n"));
  EXPECT_THAT(good, HasSubstr("\r\n\r\n\"\"\r\n\r\n\"\"\r\n"));
  EXPECT_THAT(good, ::testing::EndsWith("\r\n7\r\n-1\r\n" +
                                        std::to_string(Slot("vortila")) + "\r\n"));
  EXPECT_THAT(good, HasSubstr("\"%f%A\"\r\n"));
  // Flags with commas inside their bracketed text are written whole.
  EXPECT_THAT(good, HasSubstr("\"%s[Non hai nessuna voglia di toccare quella bestiaccia, nemmeno"));
}

TEST_F(SavedGameTest, AGoodFileReadsBackAsItWasWritten) {
  const std::optional<SavedGame> saved = ParseSavedGame(SavedGameText(world()));
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(*saved == Snapshot(world()));
  // Blanks around the numbers do not matter.
  EXPECT_TRUE(ParseSavedGame(WithLine(101, "  12 ")).has_value());
}

TEST_F(SavedGameTest, ABadFileChangesNothing) {
  ExpectRefusedLoad("");
  ExpectRefusedLoad(good.substr(0, good.size() / 2));
  ExpectRefusedLoad(good.substr(0, good.rfind("\r\n", good.size() - 3)));
  ExpectRefusedLoad(good + "altro\r\n");
  ExpectRefusedLoad(WithLine(2, "\"%f%A"));
  ExpectRefusedLoad(WithLine(101, "dodici"));
  ExpectRefusedLoad(WithLine(101, "40000"));
  ExpectRefusedLoad(WithLine(101, "1e3"));
  ExpectRefusedLoad(WithLine(102, "2"));
  ExpectRefusedLoad(WithLine(103, "0"));
  ExpectRefusedLoad(WithLine(103, "51"));
  ExpectRefusedLoad(WithLine(103, "-1"));
  ExpectRefusedLoad(WithLine(1, std::string(10 << 20, 'x')));
  std::mt19937 random(5);
  std::string noise(4096, '\0');
  for (char& byte : noise) byte = static_cast<char>(random());
  ExpectRefusedLoad(noise);
}

TEST_F(SavedGameTest, ALoadThatFindsNoFileChangesNothing) {
  std::filesystem::create_directory(folder.path() / "cartella.sav");
  const SavedGame before = Snapshot(world());
  for (std::string_view command : {"carica manca", "carica cartella", "carica nessuna/buona"}) {
    EXPECT_THAT(Do(command), HasSubstr(kLoadError)) << command;
  }
  EXPECT_TRUE(Snapshot(world()) == before);
}

// A save that cannot be completed leaves the file it would have replaced as it was.
// A save that cannot be completed says why, and leaves behind neither a half-written file
// nor a temporary one.
TEST_F(SavedGameTest, AFailedSaveSaysWhyAndKeepsThePreviousOne) {
  std::filesystem::create_directory(folder.path() / "cartella.sav");
  for (std::string_view command : {"salva cartella", "salva nessuna/prova", "salva /proc/prova"}) {
    EXPECT_THAT(Do(command), HasSubstr(kSaveError)) << command;
  }
  EXPECT_THAT(Said("salva " + std::string(300, 'x')),
              HasSubstr("Errore nel salvataggio: il nome del file è troppo lungo."));
  EXPECT_THAT(Said("salva /sys/prova"),
              HasSubstr("Errore nel salvataggio: in quella cartella non si può scrivere."));
  {
    // The system's limit on the size of a file stands for a full disk: the write stops short.
    struct rlimit before {};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::string said = Said("salva buona");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_THAT(said, HasSubstr("Errore nel salvataggio: non c'è abbastanza spazio per il file."));
  }
  EXPECT_EQ(folder.Read("buona.sav"), good);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "cartella.sav"));
  EXPECT_FALSE(folder.Has("proc"));
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
  }
}

// A file made read-only is the player's way of keeping it: a save does not replace it.
TEST_F(SavedGameTest, ASaveLeavesAReadOnlyFileAsItIsAndKeepsThePermissionsOfAnother) {
  const auto read = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
  std::filesystem::permissions(folder.path() / "buona.sav", read);
  EXPECT_THAT(Said("salva buona"),
              HasSubstr("Errore nel salvataggio: il file 'buona.sav' è di sola lettura, e l'ho "
                        "lasciato com'era."));
  EXPECT_EQ(folder.Read("buona.sav"), good);
  const auto shared = read | std::filesystem::perms::owner_write;
  std::filesystem::permissions(folder.path() / "buona.sav", shared);
  EXPECT_THAT(Do("salva buona"), HasSubstr("Ho salvato nel file 'buona.sav'."));
  EXPECT_NE(folder.Read("buona.sav"), good);
  EXPECT_EQ(std::filesystem::status(folder.path() / "buona.sav").permissions(), shared);
}

// The new file is written beside the old one first, under a name no one could have
// planted a link under: a link there leads nowhere.
TEST_F(SavedGameTest, ASaveDoesNotFollowALinkBesideTheFile) {
  folder.Write("altro.txt", "del giocatore");
  std::filesystem::create_symlink(folder.path() / "altro.txt", folder.path() / "buona.sav.tmp");
  EXPECT_THAT(Do("salva buona"), HasSubstr("Ho salvato nel file 'buona.sav'."));
  EXPECT_EQ(folder.Read("altro.txt"), "del giocatore");
  EXPECT_TRUE(std::filesystem::is_regular_file(
      std::filesystem::symlink_status(folder.path() / "buona.sav")));
}

// Saved games are exchanged between players: a file that play could not have made is
// refused whole, however well-formed it is.
TEST_F(SavedGameTest, AFileThatPlayCouldNotHaveMadeChangesNothing) {
  const int box = Slot("cassetta");
  const auto locationOf = [&](int slot) { return 2 * slot - 1; };
  const auto flagsOf = [&](int slot) { return 2 * slot; };
  // The key lies in the box; here the box lies in the key, or in itself.
  ExpectRefusedLoad(WithLine(locationOf(box), "chiave"));
  ExpectRefusedLoad(WithLine(locationOf(box), "cassetta"));
  // A place that is neither an object nor one the rules use; an object nowhere at all; an
  // empty slot given a place or flags.
  ExpectRefusedLoad(WithLine(locationOf(box), "altrove"));
  ExpectRefusedLoad(WithLine(locationOf(box), ""));
  ExpectRefusedLoad(WithLine(locationOf(kObjectSlots), "stesso"));
  ExpectRefusedLoad(WithLine(flagsOf(kObjectSlots), "\"%c\""));
  // Flags are the data file's with their codes switched: another picture, another code or
  // another sentence is not.
  const int room = Slot("vortila");
  ExpectRefusedLoad(WithLine(flagsOf(room), "\"%I[/dev/tty]%s\""));
  ExpectRefusedLoad(WithLine(flagsOf(room), "\"%I[008.pkd]%s\""));
  ExpectRefusedLoad(WithLine(flagsOf(box), "\"%f%c%t\""));
  ExpectRefusedLoad(WithLine(flagsOf(box), "\"%f%c%o%O\""));
  ExpectRefusedLoad(WithLine(
      flagsOf(Slot("sangue")),
      "\"%s[Non hai niente in cui raccoglierlo e nessuna voglia di dirlo.]\""));
  // The clock within the story; the room the one the player stands in, and a room.
  ExpectRefusedLoad(WithLine(101, std::to_string(kLastStoryClock + 1)));
  ExpectRefusedLoad(WithLine(101, "-1"));
  ExpectRefusedLoad(WithLine(103, std::to_string(Slot("buio"))));
  ExpectRefusedLoad(WithLine(locationOf(1), "cassetta"));
}

TEST_F(SavedGameTest, WhatPlayChangesLoads) {
  // The box unlocked, the key off stage, the torch switched off, the clock at its end.
  good = WithLine(2 * Slot("cassetta"), "\"%f%c%k\"");
  good = WithLine(2 * Slot("chiave") - 1, "nnn");
  good = WithLine(2 * Slot("torcia"), "\"%f%a\"");
  good = WithLine(101, std::to_string(kLastStoryClock));
  folder.Write("giocata.sav", good);
  EXPECT_THAT(Do("carica giocata"), HasSubstr("Ho caricato nel file 'giocata.sav'."));
  EXPECT_EQ(Flags("cassetta"), "%f%c%k");
  EXPECT_EQ(Location("chiave"), "nnn");
  EXPECT_EQ(world().StoryClock, kLastStoryClock);
}

// The data file may deliver things inside each other; the game still answers every command.
TEST_F(SavedGameTest, ThingsInsideEachOtherStayOutOfReach) {
  Location("cassetta") = "chiave";
  for (std::string_view command : {"inventario", "guarda", "prendi tutto", "posa tutto",
                                   "apri la cassetta", "prendi la chiave", "rovescia la cassetta"}) {
    Do(command);
  }
  EXPECT_EQ(Location("cassetta"), "chiave");
}

TEST_F(SavedGameTest, SavingAndLoadingCostNoTime) {
  const int clock = world().StoryClock;
  Do("salva altra");
  Do("carica altra");
  EXPECT_EQ(world().StoryClock, clock);
  Do("carica buona");
  EXPECT_EQ(world().StoryClock, 7);
  EXPECT_EQ(Location("chiave"), "cassetta");
}

}  // namespace
}  // namespace vortila
