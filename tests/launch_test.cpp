#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/launch/folders.h"
#include "app/launch/options.h"
#include "test_support.h"
#include "world/files.h"

namespace vortila {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;
using Action = LaunchOptions::Action;

TEST(LaunchOptionsTest, FoldersAreReadInEitherSpellingAndTheLastOneCounts) {
  const LaunchOptions options =
      ReadLaunchOptions({"--data", "/opt/vortila", "--saves=partite", "--data=dati"});
  EXPECT_EQ(options.action, Action::kPlay);
  EXPECT_EQ(options.data, std::filesystem::path("dati"));
  EXPECT_EQ(options.saves, std::filesystem::path("partite"));
  EXPECT_EQ(ReadLaunchOptions({}).data, std::nullopt);
}

TEST(LaunchOptionsTest, AnythingElseIsAMistakeThatNamesTheFirstWrongWord) {
  for (const auto& [arguments, mistake] :
       std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--dati", "x"}, "opzione sconosciuta: --dati"},
           {{"prova.sav"}, "argomento inatteso: prova.sav"},
           {{"--saves"}, "l'opzione --saves vuole il nome di una cartella"},
           {{"--data=", "--saves", "x"}, "l'opzione --data vuole il nome di una cartella"},
           {{"--data", ""}, "l'opzione --data vuole il nome di una cartella"},
       }) {
    const LaunchOptions options = ReadLaunchOptions(arguments);
    EXPECT_EQ(options.action, Action::kMistake) << mistake;
    EXPECT_EQ(options.mistake, mistake);
  }
}

TEST(LaunchOptionsTest, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(ReadLaunchOptions({"--bah", "--help"}).action, Action::kHelp);
  EXPECT_EQ(ReadLaunchOptions({"-h", "--version"}).action, Action::kHelp);
  EXPECT_EQ(ReadLaunchOptions({"--data", "x", "--version"}).action, Action::kVersion);
}

TEST(LaunchOptionsTest, EachAnswerGoesToItsStreamWithTheStatusPlayersExpect) {
  const ProgramAbout about{"vortila-prova", "il gioco in prova."};
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(AnswerLaunchOptions(ReadLaunchOptions({"--help"}), about, out, err), 0);
  EXPECT_THAT(out.str(), StartsWith("Uso: vortila-prova [--data CARTELLA] [--saves CARTELLA]\n"));
  EXPECT_THAT(out.str(), HasSubstr("il gioco in prova."));
  EXPECT_THAT(out.str(), HasSubstr("~/.local/share/vortila"));

  out.str("");
  EXPECT_EQ(AnswerLaunchOptions(ReadLaunchOptions({"--version"}), about, out, err), 0);
  EXPECT_THAT(out.str(), StartsWith("vortila-prova (La Vortila) "));
  EXPECT_EQ(err.str(), "");

  out.str("");
  EXPECT_EQ(AnswerLaunchOptions(ReadLaunchOptions({"-x"}), about, out, err), 2);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(),
            "vortila-prova: opzione sconosciuta: -x.\nPer l'aiuto: vortila-prova --help\n");
  EXPECT_EQ(AnswerLaunchOptions(ReadLaunchOptions({"--data", "x"}), about, out, err), std::nullopt);
}

class ChooseFoldersTest : public ::testing::Test {
 protected:
  ChooseFoldersTest() {
    places.current = ".";
    places.installedData = "/usr/share/vortila";
    places.xdgDataHome = "/home/anna/.dati";
    places.home = "/home/anna";
  }

  LaunchOptions options;
  FolderPlaces places;
};

TEST_F(ChooseFoldersTest, APlayFolderIsBothFoldersUnlessAnOptionSaysOtherwise) {
  places.currentHoldsData = true;
  GameFolders folders = ChooseFolders(options, places);
  EXPECT_EQ(folders.data, ".");
  EXPECT_EQ(folders.player, ".");
  options.saves = "partite";
  folders = ChooseFolders(options, places);
  EXPECT_EQ(folders.data, ".");
  EXPECT_EQ(folders.player, "partite");
}

TEST_F(ChooseFoldersTest, AnInstalledGameReadsItsShareFolderAndWritesInTheXdgOne) {
  GameFolders folders = ChooseFolders(options, places);
  EXPECT_EQ(folders.data, "/usr/share/vortila");
  EXPECT_EQ(folders.player, "/home/anna/.dati/vortila");
  options.data = "/srv/vortila";
  options.saves = "/tmp/partite";
  folders = ChooseFolders(options, places);
  EXPECT_EQ(folders.data, "/srv/vortila");
  EXPECT_EQ(folders.player, "/tmp/partite");
}

TEST_F(ChooseFoldersTest, AnUnsetEmptyOrRelativeXdgDataHomeFallsBackOnHome) {
  for (const std::optional<std::string>& xdg :
       {std::optional<std::string>(), std::optional<std::string>(""),
        std::optional<std::string>("dati")}) {
    places.xdgDataHome = xdg;
    EXPECT_EQ(ChooseFolders(options, places).player, "/home/anna/.local/share/vortila");
  }
  places.home.reset();
  EXPECT_THAT(testing::StartupMessage([&] { ChooseFolders(options, places); }),
              HasSubstr("--saves CARTELLA"));
  options.saves = "partite";
  EXPECT_EQ(ChooseFolders(options, places).player, "partite");
}

class PreparePlayerFolderTest : public ::testing::Test {
 protected:
  PreparePlayerFolderTest() { data.Write("iniziale.ini", "800\r\n600\r\n"); }

  testing::TempFolder data;
  testing::TempFolder home;
};

TEST_F(PreparePlayerFolderTest, ANewFolderIsCreatedAndSeededAndAnOldOneKept) {
  const GameFolders folders{data.path(), home.path() / "a" / "b" / "vortila"};
  PreparePlayerFolder(folders, true);
  EXPECT_EQ(ReadTextFile(folders.player / "iniziale.ini"), "800\r\n600\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folders.player), {}), 1)
      << "only iniziale.ini, nothing left from checking the folder";

  home.Write("iniziale.ini", "1200\r\n900\r\n");
  PreparePlayerFolder({data.path(), home.path()}, false);
  EXPECT_EQ(home.Read("iniziale.ini"), "1200\r\n900\r\n");
}

TEST_F(PreparePlayerFolderTest, AFolderThatCannotServeIsNamedAndLeftAlone) {
  const std::filesystem::path missing = home.path() / "partite";
  EXPECT_EQ(testing::StartupMessage([&] {
              PreparePlayerFolder({data.path(), missing}, false);
            }),
            missing.string() + ": la cartella dei file del giocatore non esiste.");
  EXPECT_FALSE(std::filesystem::exists(missing));

  home.Write("file", "");
  const std::filesystem::path inFile = home.path() / "file" / "vortila";
  EXPECT_EQ(testing::StartupMessage([&] {
              PreparePlayerFolder({data.path(), inFile}, true);
            }),
            inFile.string() + ": non riesco a creare la cartella dei file del giocatore.");
  EXPECT_THAT(testing::StartupMessage([&] {
                PreparePlayerFolder({data.path(), home.path() / "file"}, false);
              }),
              HasSubstr("file: non è una cartella"));

  // Not even the superuser can create a file here, so the check holds for whoever runs it.
  EXPECT_EQ(testing::StartupMessage([&] {
              PreparePlayerFolder({data.path(), "/proc"}, false);
            }),
            "/proc: non posso scrivere nella cartella dei file del giocatore.");
}

}  // namespace
}  // namespace vortila
