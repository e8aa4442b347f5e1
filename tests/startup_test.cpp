#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "app/stream/stream_session.h"
#include "game_fixture.h"
#include "world/files.h"

namespace vortila {
namespace {

using testing::GameTest;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::RecordingWindow;

TEST_F(GameTest, ThePlayerStartsInTheDarkRoom) {
  StartAndPlay();
  const World& world = game.world;
  EXPECT_EQ(world.objects.ObjectId[world.CurrentRoom], "buio");
  EXPECT_EQ(world.WheelPosition, -1);
  EXPECT_EQ(world.GameOverState, 0);
  EXPECT_EQ(window.commandBox, "");
  EXPECT_EQ(window.timesShown, 1);
}

TEST_F(GameTest, SettingsAreAppliedAtStartAndWrittenAtTheOrderlyEnd) {
  folder.Write("iniziale.ini", "812.5\r\n604\r\n");
  StartGame(game);
  EXPECT_EQ(window.settings.first, 812.5f);
  EXPECT_EQ(window.settings.second, 604.0f);
  window.settings = {1280, 800};
  QuitGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_EQ(window.problem, "");
  EXPECT_EQ(folder.Read("iniziale.ini"), "1280\r\n800\r\n");
}

TEST_F(GameTest, SettingsThatAreNotNumbersLeaveTheWindowAsItIs) {
  for (std::string_view bad : {"larga\r\nalta\r\n", "800\r\n", "1e99\r\n600\r\n",
                               "\"800\r\n600\r\n", "nan\r\n600\r\n", ""}) {
    folder.Write("iniziale.ini", bad);
    window.settings = kDefaultWindowSettings;
    LoadWindowSettings(game);
    EXPECT_EQ(window.settings.first, kDefaultWindowSettings.first) << bad;
    EXPECT_EQ(window.settings.second, kDefaultWindowSettings.second) << bad;
  }
}

TEST_F(GameTest, AMissingSettingsFileStopsTheStartAndWritesNothing) {
  std::filesystem::remove(folder.path() / "iniziale.ini");
  EXPECT_THAT(testing::StartupMessage([&] { StartGame(game); }),
              HasSubstr("iniziale.ini: il file manca"));
  EXPECT_FALSE(folder.Has("iniziale.ini"));
}

TEST_F(GameTest, ABrokenDataFileStopsTheStartNamingIt) {
  folder.Write("000.pkd", "stesso,buio,\"te stesso\"\r\n");
  EXPECT_THAT(testing::StartupMessage([&] { StartGame(game); }),
              HasSubstr("000.pkd, riga 2: il file finisce dentro il record 1"));
  std::filesystem::remove(folder.path() / "010.pkd");
  EXPECT_THAT(testing::StartupMessage([&] { StartGame(game); }),
              HasSubstr("010.pkd: il file manca"));
}

TEST_F(GameTest, ASettingsFileThatCannotBeWrittenIsToldAtTheEnd) {
  StartAndPlay();
  std::filesystem::remove(folder.path() / "iniziale.ini");
  std::filesystem::create_directory(folder.path() / "iniziale.ini");
  QuitGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_THAT(window.problem, HasSubstr("iniziale.ini"));
}

// A settings file made read-only is kept as the player left it, and the end says so.
TEST_F(GameTest, AReadOnlySettingsFileIsNotReplaced) {
  StartAndPlay();
  const std::string kept = folder.Read("iniziale.ini");
  std::filesystem::permissions(folder.path() / "iniziale.ini", std::filesystem::perms::owner_read);
  window.settings = {1280, 800};
  QuitGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_THAT(window.problem, HasSubstr("Non riesco a scrivere il file iniziale.ini"));
  EXPECT_EQ(folder.Read("iniziale.ini"), kept);
}

TEST_F(GameTest, ARestartKeepsTheScreenAndReadsTheSettingsAgain) {
  StartAndPlay();
  Type("guarda");
  window.settings = {333, 444};
  game.world.GameOverState = 1;
  Type("ricominciare");
  EXPECT_EQ(window.settings.first, kDefaultWindowSettings.first);
  EXPECT_EQ(window.timesShown, 2);
  int echoes = 0;
  for (const auto& row : game.screen.Textlines.InOrder()) echoes += row == " > RICOMINCIARE";
  EXPECT_EQ(echoes, 1);
}

// The names and contents of every file in `folder`.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadTextFile(entry.path()).value_or("?");
  }
  return files;
}

TEST(TwoFoldersTest, TheDataFolderIsOnlyReadAndThePlayersFilesGoToThePlayersFolder) {
  testing::TempFolder data;
  data.WithGameData();
  testing::TempFolder player;
  std::filesystem::rename(data.path() / "iniziale.ini", player.path() / "iniziale.ini");
  const auto delivered = FilesIn(data.path());

  std::string out;
  StreamSession session(out, GameFolders(data.path(), player.path()));
  session.Start();
  for (std::string_view line : {"", "", "", "", "", "", "", "salva prova", "trascrizione",
                                "prendi la torcia", "carica prova", "trascrizione"}) {
    session.Enter(line);
  }
  session.Close();

  EXPECT_THAT(out, HasSubstr("Ho caricato nel file 'prova.sav'."));
  EXPECT_EQ(session.Problem(), "");
  EXPECT_EQ(FilesIn(data.path()), delivered);
  EXPECT_TRUE(player.Has("prova.sav"));
  EXPECT_THAT(player.Read("Debug.txt"), HasSubstr("PRENDI LA TORCIA"));
  EXPECT_EQ(player.Read("iniziale.ini"), "1000\r\n720\r\n");
}

TEST(TwoFoldersTest, AMissingFileNamesTheFolderItWasLookedForIn) {
  testing::TempFolder data;
  data.WithGameData();
  testing::TempFolder player;
  testing::RecordingWindow window;
  Game game{window, GameFolders(data.path(), player.path())};
  EXPECT_EQ(testing::StartupMessage([&] { StartGame(game); }),
            "iniziale.ini: il file manca o non si può leggere; deve stare nella cartella " +
                player.path().string() + ".");
  EXPECT_FALSE(player.Has("iniziale.ini"));
}

class ResumeTest : public GameTest {
 protected:
  ResumeTest() { StartAndPlay(); }
};

TEST_F(ResumeTest, ClosingMidGameKeepsItAndResumingContinuesIt) {
  Type("posa il gancio");
  Type("accendi la torcia");
  const int clock = game.world.StoryClock;
  CloseGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_EQ(window.problem, "");
  ASSERT_TRUE(folder.Has("ripresa.sav"));

  RecordingWindow nextWindow;
  Game next{nextWindow, folder.path()};
  StartGame(next);
  ASSERT_TRUE(CanResume(next));
  ResumeGame(next);
  EXPECT_EQ(next.world.StoryClock, clock);
  EXPECT_EQ(next.world.GameOverState, 0);
  EXPECT_TRUE(next.screen.HeldText.empty());
  EXPECT_EQ(nextWindow.pictures.back(), "009.pkd");
  EXPECT_THAT(nextWindow.inventory, Not(HasSubstr("il gancio")));
  EXPECT_EQ(next.screen.Textlines[kBottomRow], "Ho caricato nel file 'ripresa.sav'.");
}

TEST_F(ResumeTest, NothingIsKeptAfterAnEndingAndAnOlderGameIsLeftAlone) {
  folder.Write("ripresa.sav", "vecchia");
  Type("togliti il casco");
  CloseGame(game);
  EXPECT_EQ(folder.Read("ripresa.sav"), "vecchia");
}

TEST_F(ResumeTest, AGameKeptWithoutClosingGoesOnAndIsKeptAgainLater) {
  Type("posa il gancio");
  EXPECT_TRUE(KeepInterruptedGame(game));
  EXPECT_FALSE(window.ended);
  const std::string kept = folder.Read("ripresa.sav");
  Type("accendi la torcia");
  EXPECT_TRUE(KeepInterruptedGame(game));
  EXPECT_NE(folder.Read("ripresa.sav"), kept);
}

TEST_F(GameTest, NothingIsKeptDuringTheIntroduction) {
  StartGame(game);
  CloseGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_FALSE(folder.Has("ripresa.sav"));
  EXPECT_FALSE(CanResume(game));
}

TEST_F(ResumeTest, AGameThatCannotBeKeptIsToldAtTheEnd) {
  std::filesystem::create_directory(folder.path() / "ripresa.sav");
  CloseGame(game);
  EXPECT_TRUE(window.ended);
  EXPECT_THAT(window.problem, HasSubstr("ripresa.sav"));
  EXPECT_EQ(folder.Read("iniziale.ini"), "1000\r\n720\r\n");
}

TEST_F(ResumeTest, TheMenusSaveAndLoadSayWhatTheTypedCommandsSay) {
  std::filesystem::create_directory(folder.path() / "partite");
  const std::filesystem::path file = folder.path() / "partite" / "mia.sav";
  SaveGameAs(game, file);
  EXPECT_TRUE(Shows("Ho salvato nel file 'mia.sav'."));
  Type("posa il gancio");
  LoadGameFrom(game, file);
  EXPECT_TRUE(Shows("mia"));
  EXPECT_TRUE(Shows("Ho caricato nel file 'mia.sav'."));
  EXPECT_EQ(Location("gancio"), "stesso");
  EXPECT_THAT(window.inventory, HasSubstr("il gancio"));

  LoadGameFrom(game, folder.path() / "nessuna.sav");
  EXPECT_TRUE(Shows("Errore nel caricamento: nome del file o percorso errato."));
  SaveGameAs(game, folder.path() / "manca" / "mia.sav");
  EXPECT_TRUE(Shows("Errore nel salvataggio: nome del file o percorso errato."));
}

TEST_F(ResumeTest, ALoadFromTheMenuAfterAnEndingPlaysOnAndCanBeUndone) {
  SaveGameAs(game, folder.path() / "prima.sav");
  Type("togliti il casco");
  SaveGameAs(game, folder.path() / "morto.sav");
  EXPECT_TRUE(Shows("La partita è finita: non c'è nulla da salvare."));
  EXPECT_FALSE(folder.Has("morto.sav"));

  LoadGameFrom(game, folder.path() / "prima.sav");
  EXPECT_EQ(game.world.GameOverState, 0);
  EXPECT_THAT(window.inventory, HasSubstr("il casco*"));

  UndoTurn(game);
  EXPECT_TRUE(Shows("Ho annullato il comando «CARICA PRIMA»."));
  EXPECT_EQ(game.world.GameOverState, 1);
}

}  // namespace
}  // namespace vortila
