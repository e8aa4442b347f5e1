#include "world/data_files.h"

#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"
#include "world/files.h"

namespace vortila {
namespace {

using ::testing::HasSubstr;
using testing::StartupMessage;

constexpr std::string_view kPlayerAndRoom =
    "stesso,buio,\"te stesso\",\"me\",\"%R\",\"Sei tu.\"\r\n"
    "buio,locazione,\"Nel buio\",\"buio\",\"%I[008.pkd]\",\"Buio.\"\r\n";

TEST(LoadVerbs, PadsWordsAndGivesEmptyPatternsTheirDefault) {
  VerbTable verbs;
  ReadVerbs(verbs, "1,fine esci,\r\n2,,%v %o\r\n", "010.pkd");
  EXPECT_EQ(verbs.VerbCode[1], 1);
  EXPECT_EQ(verbs.VerbWords[1], " fine esci ");
  EXPECT_EQ(verbs.VerbPatterns[1], "%%");
  EXPECT_EQ(verbs.VerbWords[2], "  ");
  EXPECT_EQ(verbs.VerbPatterns[2], "%v %o");
  EXPECT_EQ(verbs.VerbCode[3], 0);
}

TEST(LoadVerbs, RefusesACodeThatIsNotASlotNumberOnTheLineOfTheRecord) {
  for (std::string_view bad : {"x,a,b\n", "0,a,b\n", "201,a,b\n", "7abc,a,b\n"}) {
    VerbTable verbs;
    EXPECT_THAT(StartupMessage([&] { ReadVerbs(verbs, bad, "010.pkd"); }),
                HasSubstr("010.pkd, riga 1: il codice del record 1"))
        << bad;
  }
  // A record may run over several lines; it is named by the line it begins on.
  VerbTable verbs;
  EXPECT_THAT(StartupMessage([&] { ReadVerbs(verbs, "1,a,b\n2,a,b\nx\na\nb\n", "010.pkd"); }),
              HasSubstr("010.pkd, riga 3: il codice del record 3 è «x»"));
}

// The parser reads the patterns of a code from the record in that place: a file whose
// records have moved would start a game in which some verbs do nothing.
TEST(LoadVerbs, RefusesACodeWhoseRecordIsNotInItsPlace) {
  VerbTable swapped;
  EXPECT_EQ(StartupMessage([&] {
              ReadVerbs(swapped, "1,fine,\n3,guarda,%t\n2,esamina,%o\n", "010.pkd");
            }),
            "010.pkd, riga 3: il record 3 ha il codice 2, ma deve avere il codice 3, che il "
            "record 2 usa.");
  VerbTable shortFile;
  EXPECT_EQ(StartupMessage([&] { ReadVerbs(shortFile, "1,fine,\n2,aiuto,\n5,basta,\n", "010.pkd"); }),
            "010.pkd, riga 3: il record 3 ha il codice 5, ma il file non arriva al record 5, "
            "che deve avere quel codice.");
  // Later records with a code already in its place add words to it.
  VerbTable synonyms;
  ReadVerbs(synonyms, "1,fine,\n2,aiuto,\n1,basta,\n", "010.pkd");
  EXPECT_EQ(synonyms.VerbCode[3], 1);
}

TEST(LoadVerbs, RefusesAFileWithoutVerbsOrWithMoreThanTheTableHolds) {
  VerbTable empty;
  EXPECT_EQ(StartupMessage([&] { ReadVerbs(empty, "\r\n", "010.pkd"); }),
            "010.pkd, riga 1: il file non contiene nessun verbo.");
  std::string records;
  for (int code = 1; code <= kVerbSlots + 1; ++code) {
    records += std::to_string(std::min(code, kVerbSlots)) + ",parola,\n";
  }
  VerbTable full;
  EXPECT_EQ(StartupMessage([&] { ReadVerbs(full, records, "010.pkd"); }),
            "010.pkd, riga 201: il file ha più di 200 record: il record 201 non trova posto.");
}

TEST(LoadObjects, SkipsCommentsAndEmptyLinesInFrontOfEveryRecord) {
  ObjectTable objects;
  ReadObjects(objects,
              "' il giocatore\r\n\r\n"
              "stesso,buio,\"te stesso\",\"me\",\"%R\",\"Sei tu.\"\r\n"
              "' una stanza\r\n' buia\r\n"
              "buio,locazione,\"Nel buio\",buio oscurità,\"%I[008.pkd]\",\"Buio, buio, buio: c'è "
              "poco da vedere.\"\r\n",
              "000.pkd");
  EXPECT_EQ(objects.ObjectId[1], "stesso");
  EXPECT_EQ(objects.ObjectId[2], "buio");
  EXPECT_EQ(objects.ObjectNouns[1], " me ");
  EXPECT_EQ(objects.ObjectNouns[2], " buio oscurità ");
  EXPECT_EQ(objects.ObjectDescription[2], "Buio, buio, buio: c'è poco da vedere.");
  EXPECT_EQ(objects.ObjectId[3], "");
}

TEST(LoadObjects, ACommentBetweenItemsIsData) {
  ObjectTable objects;
  ReadObjects(objects,
              "stesso,buio\r\n' non un commento\r\n\"me\",\"%R\",\"Sei tu.\"\r\n"
              "buio,locazione,\"Nel buio\",\"buio\",\"\",\"Buio.\"\r\n",
              "000.pkd");
  EXPECT_EQ(objects.ObjectTitle[1], "' non un commento");
  EXPECT_EQ(objects.ObjectNouns[1], " me ");
}

TEST(LoadObjects, FillsTheTableInFileOrderAndReadsNoMoreThanItHolds) {
  auto records = [](int last) {
    std::string text(kPlayerAndRoom);
    for (int i = 3; i <= last; ++i) {
      text += "cosa" + std::to_string(i) + ",buio,\"una cosa\",\"cosa\",\"\",\"Una cosa.\"\n";
    }
    return text;
  };
  ObjectTable objects;
  ReadObjects(objects, records(12), "000.pkd");
  EXPECT_EQ(objects.ObjectId[12], "cosa12");
  for (int slot = 13; slot <= kObjectSlots; ++slot) EXPECT_EQ(objects.ObjectId[slot], "");

  // Comments may follow the last record; another record would find no place.
  ObjectTable full;
  ReadObjects(full, records(kObjectSlots) + "' fine degli oggetti\n", "000.pkd");
  EXPECT_EQ(full.ObjectId[kObjectSlots], "cosa50");
  ObjectTable tooMany;
  EXPECT_EQ(StartupMessage([&] { ReadObjects(tooMany, records(60), "000.pkd"); }),
            "000.pkd, riga 51: il file ha più di 50 record: il record 51 non trova posto.");
}

TEST(LoadObjects, AFileThatRunsOutSaysWhereAndInWhichItem) {
  ObjectTable objects;
  const std::string text = std::string(kPlayerAndRoom) + "\r\ntorcia,stesso,\"la torcia\"\r\n";
  EXPECT_EQ(StartupMessage([&] { ReadObjects(objects, text, "000.pkd"); }),
            "000.pkd, riga 5: il file finisce dentro il record 3, prima della voce «nomi».");
}

TEST(LoadObjects, AFileThatEndsInTheCommentsBeforeARecordSaysSo) {
  ObjectTable objects;
  const std::string text = std::string(kPlayerAndRoom) + "' ancora un oggetto\r\n";
  EXPECT_EQ(StartupMessage([&] { ReadObjects(objects, text, "000.pkd"); }),
            "000.pkd, riga 4: il file finisce nei commenti che precedono il record 3.");
}

TEST(LoadObjects, AnOpenQuoteIsNamed) {
  ObjectTable objects;
  const std::string text =
      std::string(kPlayerAndRoom) + "torcia,stesso,\"la torcia\r\n\"t\",\"\",\"d\"\n";
  EXPECT_THAT(StartupMessage([&] { ReadObjects(objects, text, "000.pkd"); }),
              HasSubstr("000.pkd, riga 3: virgolette non chiuse nel record 3"));
}

TEST(LoadObjects, ThePlayerComesFirstAndStandsInARoomOfTheFile) {
  ObjectTable objects;
  EXPECT_THAT(StartupMessage([&] {
                ReadObjects(objects, "buio,locazione,\"Nel buio\",\"b\",\"\",\"d\"\n", "000.pkd");
              }),
              HasSubstr("il primo record deve essere il giocatore"));
  ObjectTable lost;
  EXPECT_THAT(StartupMessage([&] {
                ReadObjects(lost, "stesso,altrove,\"te\",\"me\",\"\",\"d\"\n", "000.pkd");
              }),
              HasSubstr("il giocatore si trova in «altrove»"));
  ObjectTable empty;
  EXPECT_THAT(StartupMessage([&] { ReadObjects(empty, "", "000.pkd"); }), HasSubstr("000.pkd"));
}

// Only a regular file is read: a FIFO in its place would keep the start waiting for ever.
TEST(DataFiles, AMissingFileOrOneThatIsNoFileIsNamed) {
  testing::TempFolder folder;
  VerbTable verbs;
  EXPECT_THAT(StartupMessage([&] { LoadVerbs(verbs, folder.path()); }),
              HasSubstr("010.pkd: il file manca"));
  std::filesystem::create_directory(folder.path() / "000.pkd");
  ObjectTable objects;
  const std::string message = StartupMessage([&] { LoadObjects(objects, folder.path()); });
  EXPECT_THAT(message, HasSubstr("000.pkd: il file manca"));
  // Looking for a file before the start tells the same as the start would.
  EXPECT_EQ(StartupMessage([&] { RequireReadableFile(folder.path(), "000.pkd"); }), message);
  folder.Write("010.pkd", "");
  EXPECT_EQ(StartupMessage([&] { RequireReadableFile(folder.path(), "010.pkd"); }), "(no error)");
  std::filesystem::remove(folder.path() / "010.pkd");
  ASSERT_EQ(mkfifo((folder.path() / "010.pkd").c_str(), 0600), 0);
  EXPECT_THAT(StartupMessage([&] { LoadVerbs(verbs, folder.path()); }),
              HasSubstr("010.pkd: il file manca"));
  EXPECT_THAT(StartupMessage([&] { RequireReadableFile(folder.path(), "010.pkd"); }),
              HasSubstr("010.pkd: il file manca"));
}

// An escape sequence in a text would reach a terminal as a command, not as text.
TEST(DataFiles, AByteOrderMarkBadBytesAndControlCharactersDoNotSpoilTheFile) {
  testing::TempFolder folder;
  folder.Write("000.pkd", "\xEF\xBB\xBF' gli oggetti\r\n" + std::string(kPlayerAndRoom) +
                              "torcia,stesso,\"la torcia\xFF\",\"torcia\",\"%f\",\"Una\ttorcia."
                              "\x1B[2J\"\r\n");
  ObjectTable objects;
  LoadObjects(objects, folder.path());
  EXPECT_EQ(objects.ObjectId[1], "stesso");
  EXPECT_EQ(objects.ObjectTitle[3], "la torcia\uFFFD");
  EXPECT_EQ(objects.ObjectDescription[3], "Una torcia. [2J");
}

TEST(DataFiles, TheDeliveredFilesLoad) {
  VerbTable verbs;
  ObjectTable objects;
  LoadVerbs(verbs, VORTILA_DATA_DIR);
  LoadObjects(objects, VORTILA_DATA_DIR);
  EXPECT_EQ(objects.ObjectId[1], "stesso");
  EXPECT_EQ(objects.ObjectId[FindObjectSlot(objects, "buio")], "buio");
}

}  // namespace
}  // namespace vortila
