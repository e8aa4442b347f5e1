#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "parser/normalise.h"
#include "parser/recognise_verb.h"
#include "parser_fixture.h"
#include "text/utf8.h"

namespace vortila {
namespace {

using testing::ParserTest;

std::string Normalised(std::string line) {
  NormaliseInput(line);
  return line;
}

TEST(NormaliseTest, PrepositionsBecomeBareAndArticlesGo) {
  EXPECT_EQ(Normalised("metti la chiave sulla mensola"), "metti chiave su mensola");
  EXPECT_EQ(Normalised("prendi l'ascia"), "prendi ascia");
  EXPECT_EQ(Normalised("guarda nell'armadio"), "guarda in armadio");
  EXPECT_EQ(Normalised("guarda sotto al letto"), "guarda sotto letto");
  EXPECT_EQ(Normalised("vai a destra"), "vai dex");
  EXPECT_EQ(Normalised("gira a sinistra"), "gira sinx");
  EXPECT_EQ(Normalised("ruota la rotella verso destra"), "ruota rotella dex");
  EXPECT_EQ(Normalised("ruota la rotella verso sinistra"), "ruota rotella sinx");
  EXPECT_EQ(Normalised("prendi chiave e torcia"), "prendi chiave torcia");
  EXPECT_EQ(Normalised("a   b"), "a b");
}

TEST(NormaliseTest, FormsMatchOnlyAtTheStartOfAWord) {
  EXPECT_EQ(Normalised("sali sopra"), "sali sopra");
  EXPECT_EQ(Normalised("guarda dentro"), "guarda in");
  EXPECT_EQ(Normalised("insulto solo"), "insulto solo");
  EXPECT_EQ(Normalised("prendi il"), "prendi il");
}

// The replacement as it was first written: replace the first match, then search again from
// the start of the line, until nothing matches.
std::string ReplaceAndRescan(std::string line, std::string_view form,
                             std::string_view replacement) {
  if (line.size() <= 1) return line;
  const std::string searched = " " + std::string(form);
  for (std::size_t at; (at = line.find(searched)) != std::string::npos;) {
    line = line.substr(0, at + 1) + (replacement.empty() ? "" : std::string(replacement) + " ") +
           line.substr(at + searched.size());
  }
  return line;
}

TEST(NormaliseTest, OnePassGivesWhatRescanningFromTheStartGives) {
  const std::vector<std::string> pieces = {
      "sul", "sulla", "sull'", "a",   "destra", "sinistra", "sopra", "sotto",  "dentro", "il",
      "la",  "l'",    "e",     "ed",  "poi",    "d'",       "dell'", "nell'",  "al",     "x",
      "un'", "i",     "in",    "col", "dal",    "fino",     "",      "questa", "sopr",   "a'"};
  const std::vector<std::string> separators = {" ", " ", "", "  "};
  std::mt19937 random(2002);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const int words = 1 + static_cast<int>(random() % 9);
    for (int w = 0; w < words; ++w) {
      line += pieces[random() % pieces.size()];
      line += separators[random() % separators.size()];
    }
    std::string expected = ReplaceAndRescan(line, " ", "");
    expected.insert(0, 1, ' ');
    for (const Replacement& row : NormalisationTable()) {
      expected = ReplaceAndRescan(expected, row.form, row.replacement);
    }
    expected = std::string(TrimBlanks(expected));
    ASSERT_EQ(Normalised(line), expected) << "«" << line << "»";
  }
}

TEST(NormaliseTest, AMegabyteOfPrepositionsIsRewrittenWhole) {
  std::string line;
  std::string expected;
  // Each "d'" grows into "di " where the others shrink, so the line must make room as it goes.
  for (int i = 0; i < 100000; ++i) {
    line += "sulla   l'ascia d'oro ";
    expected += "su ascia di oro ";
  }
  expected.pop_back();
  EXPECT_TRUE(Normalised(line) == expected);
}

TEST(SplitWordsTest, TenSlotsAndTheRestOfALongCommandInTheLast) {
  ParserState parser;
  SplitWords(parser, "a b c d e f g h i j k l");
  EXPECT_EQ(parser.TokenWords[9], "i");
  EXPECT_EQ(parser.TokenWords[10], "j k l");
  EXPECT_EQ(parser.TokenWords[0], "");
  for (int slot = 0; slot <= kTokenSlots; ++slot) EXPECT_EQ(parser.TokenCodes[slot], kPlainWord);

  SplitWords(parser, "guarda");
  EXPECT_EQ(parser.TokenWords[1], "guarda");
  EXPECT_EQ(parser.TokenWords[2], "");
  EXPECT_EQ(parser.TokenWords[10], "");

  // Blanks between words are no words; a blank in front ends the split with the rest after it.
  SplitWords(parser, "a   b");
  EXPECT_EQ(parser.TokenWords[1], "a");
  EXPECT_EQ(parser.TokenWords[2], "b");
  SplitWords(parser, " a b");
  EXPECT_EQ(parser.TokenWords[1], "");
  EXPECT_EQ(parser.TokenWords[2], "a b");
  EXPECT_EQ(parser.TokenWords[3], "");
}

// Every column of every slot is emptied before a command is split, as emptying each slot
// alone would leave it: nothing of the command before may pass for part of this one.
TEST(SplitWordsTest, LeavesNothingOfTheCommandBefore) {
  ParserState parser;
  for (int slot = 0; slot <= kTokenSlots; ++slot) {
    parser.TokenWords[slot] = "vecchia";
    parser.TokenCodes[slot] = kObjectWord;
    parser.TokenValues[slot].fill(7);
    parser.TokenFromClitic[slot] = true;
    parser.TokenNamesGroup[slot] = true;
  }
  ParserState expected = parser;
  for (int slot = 0; slot <= kTokenSlots; ++slot) ClearSlot(expected, slot);
  expected.TokenWords[1] = "guarda";
  SplitWords(parser, "guarda");
  EXPECT_EQ(parser.TokenWords, expected.TokenWords);
  EXPECT_EQ(parser.TokenCodes, expected.TokenCodes);
  EXPECT_EQ(parser.TokenValues, expected.TokenValues);
  EXPECT_EQ(parser.TokenFromClitic, expected.TokenFromClitic);
  EXPECT_EQ(parser.TokenNamesGroup, expected.TokenNamesGroup);
}

class CommandTest : public ParserTest {
 protected:
  CommandTest() {
    AddVerb(1, 1, "prendi afferra", "%o");
    AddVerb(2, 2, "metti", "%osu%o");
    AddVerb(3, 3, "guarda", "");
    AddVerb(4, 4, "salva", "%t");
    AddVerb(5, 5, "premi", "%n");
    AddVerb(6, 6, "guarda esamina", "%o");
    AddVerb(7, 7, "togli", "%o");
    AddVerb(8, 8, "vai", "dex");
    AddVerb(9, 9, "osserva", "%o");
    AddVerb(10, 10, "osserva", "%o");
    AddVerb(33, 33, "apri", "%o");

    AddObject(1, "stesso", "", "te stesso", "me te", "%R");
    AddObject(2, "stanza", "locazione", "La stanza", "camera", "%I[100.pkd]");
    AddObject(3, "altrove", "locazione", "Altrove", "corridoio");
    AddObject(4, "chiave_rossa", "stanza", "la chiave rossa", "chiave rossa", "%f");
    AddObject(5, "chiave_blu", "stanza", "la chiave blu", "chiave blu", "%f");
    AddObject(6, "torcia", "stesso", "la torcia", "torcia lampada", "%f");
    AddObject(7, "vaso", "altrove", "il vaso", "vaso");
    AddObject(8, "casco", "stesso", "il casco", "casco", "%W");
    AddObject(9, "guanti", "stanza", "i guanti", "guanti", "%p");
    AddObject(10, "mensola", "stanza", "la mensola", "mensola", "%f%S");
    PlacePlayer("stanza");
  }

  int Verb() const { return FirstCandidate(parser, 1); }
  int Object(int slot) const { return FirstCandidate(parser, slot); }
};

TEST_F(CommandTest, AVerbAndAnObjectAreRecognised) {
  EXPECT_EQ(Parse("prendi la torcia"), "");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Verb(), 1);
  EXPECT_EQ(parser.TokenCodes[2], kObjectWord);
  EXPECT_EQ(Object(2), Slot("torcia"));
  EXPECT_EQ(parser.TokenCodes[3], kPlainWord);

  Parse("metti la torcia sulla mensola");
  EXPECT_EQ(Verb(), 2);
  EXPECT_EQ(Object(4), Slot("mensola"));
}

TEST_F(CommandTest, AWordNamingTwelveEntriesKeepsElevenCandidates) {
  for (int code = 11; code <= 22; ++code) AddVerb(code, code, "suona", "%o");
  Parse("suona");
  EXPECT_EQ(parser.TokenValues[1][9], 20);
  EXPECT_EQ(parser.TokenValues[1][10], 22);
}

TEST_F(CommandTest, ReflexiveCliticsStandForThePlayer) {
  EXPECT_EQ(Parse("guardati"), "");
  EXPECT_EQ(parser.TokenWords[1], "guarda");
  EXPECT_EQ(parser.TokenWords[2], "te");
  EXPECT_EQ(Object(2), 1);
  EXPECT_EQ(Verb(), 6);

  // Before the thing the verb is about, the pronoun adds nothing.
  EXPECT_EQ(Parse("togliti il casco"), "");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Verb(), 7);
  EXPECT_EQ(Object(2), Slot("casco"));
  EXPECT_EQ(parser.TokenWords[3], "");

  // A "te" the player types is meant, even beside a clitic's.
  EXPECT_EQ(Parse("guarda te torcia"), "Dovresti parlarmi di un oggetto alla volta!\n");
  EXPECT_EQ(Parse("guardati te torcia"), "Dovresti parlarmi di un oggetto alla volta!\n");
}

TEST_F(CommandTest, PronounsNeedAReferentTheyCanStillReach) {
  EXPECT_EQ(Parse("prendila"), "Non si capisce a cosa ti riferisci!\n");
  EXPECT_FALSE(accepted);
  EXPECT_EQ(parser.TokenWords[1], "prendi");

  parser.ReferentMascSingular = Slot("vaso");
  EXPECT_EQ(Parse("prendilo"), "Non vedi più il vaso.\n");
  EXPECT_EQ(parser.TokenCodes[2], kObjectWord);
  EXPECT_EQ(Object(2), Slot("vaso"));

  parser.ReferentFemSingular = Slot("torcia");
  EXPECT_EQ(Parse("prendila"), "");
  EXPECT_EQ(Object(2), Slot("torcia"));
}

TEST_F(CommandTest, AWordMadeOfClitics) {
  std::string word = "x";
  for (int i = 0; i < 50000; ++i) word += "la";
  Parse(word);
  EXPECT_FALSE(accepted);
  EXPECT_EQ(parser.TokenWords[1], "x");
}

// The codes count wherever they stand, as any code of the flags does, and only with their
// mark right before them.
TEST(GenderAndNumberTest, ReadAsTheCodesAnywhereInTheFlags) {
  for (const std::string_view flags :
       {"", "%", "%f", "%p%f", "%s[una %p]", "%%f", "f%", "p%s", "%s%", "%F%P", "%p%s[%f]%"}) {
    const GenderAndNumber read = GenderAndNumberOf(flags);
    EXPECT_EQ(read.feminine, HasCode(flags, "%f")) << flags;
    EXPECT_EQ(read.plural, HasCode(flags, "%p")) << flags;
  }
}

TEST_F(CommandTest, ObjectsTheCommandTakesAsTheyAre) {
  RememberPronoun(parser, world.objects, Slot("guanti"));
  EXPECT_EQ(parser.ReferentMascPlural, Slot("guanti"));
  Parse("prendi chiave rossa");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Object(2), Slot("chiave_rossa"));
  EXPECT_EQ(parser.TokenValues[2][1], 0);
  EXPECT_EQ(parser.TokenWords[3], "");
}

TEST_F(CommandTest, AmbiguousWordsAreQuestionedNotRefused) {
  EXPECT_EQ(Parse("prendi chiave"),
            "Non ho ben capito a quale ti riferisci tra la chiave rossa e la chiave\n"
            "blu,  per cui ti prego di riformulare specificandolo.\n");
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(parser.AmbiguityReported);

  for (int slot = 11; slot <= 16; ++slot) {
    AddObject(slot, "sasso" + std::to_string(slot), "stanza",
              "il sasso " + std::to_string(slot - 10), "sasso");
  }
  const std::string asked = Parse("prendi sasso");
  EXPECT_NE(asked.find("il sasso 4 e il sasso 5,  per"), std::string::npos) << asked;
  EXPECT_EQ(asked.find("sasso 6"), std::string::npos) << asked;
}

TEST_F(CommandTest, ASecondQuestionNamesOnlyWhatTheSecondWordsShare) {
  // The first question leaves its candidates in the scratch row; the merge that follows
  // must not take them for objects the two words share.
  const std::string asked = Parse("metti chiave su chiave rossa");
  EXPECT_NE(asked.find("Non ho ben capito"), std::string::npos);
  EXPECT_EQ(asked.find("Inoltre"), std::string::npos) << asked;
  EXPECT_EQ(Object(4), Slot("chiave_rossa"));
  EXPECT_EQ(parser.TokenValues[4][1], 0);
}

// After a lost game has been started again, the objects a question was about may be out of
// reach: the word that would have answered it is then a command of its own, as it always was.
TEST_F(CommandTest, AnAnswerDoesNotBringBackObjectsOutOfReach) {
  Parse("metti chiave su mensola");
  ASSERT_TRUE(parser.Asked);
  world.objects.ObjectLocation.Change(Slot("mensola")) = "altrove";
  parser.PreviousVerb = 2;
  EXPECT_EQ(Parse("rossa"), "(metti)\n");
  EXPECT_FALSE(parser.AnswersQuestion);
  EXPECT_EQ(Object(2), Slot("chiave_rossa"));
  EXPECT_EQ(parser.TokenWords[4], "");
}

TEST_F(CommandTest, WordsThatCannotBeOneObject) {
  EXPECT_EQ(Parse("prendi chiave rossa torcia"), "Dovresti parlarmi di un oggetto alla volta!\n");
  EXPECT_FALSE(accepted);

  EXPECT_EQ(Parse("prendi il vaso"), "Non vedo nulla del genere.\n");
  EXPECT_EQ(Parse("salta il vaso"),
            "Non vedo nulla del genere.\n"
            "Dovresti iniziare ogni frase con un verbo, per cortesia.\n");
}

TEST_F(CommandTest, WordsOutOfReachAreOneRefusal) {
  AddObject(11, "vaso_verde", "altrove", "il vaso verde", "vaso verde");
  EXPECT_EQ(Parse("prendi il vaso verde"), "Non vedo nulla del genere.\n");
  EXPECT_FALSE(accepted);
}

// "il coperchio della scatola rossa": the word after "di" says whose part the first one is.
TEST_F(CommandTest, APartNamedWithItsWholeIsThatWhole) {
  AddObject(11, "scatola_rossa", "stanza", "la scatola rossa", "scatola coperchio rossa", "%f%c");
  AddObject(12, "scatola_verde", "stanza", "la scatola verde", "scatola coperchio verde", "%f%c");
  EXPECT_EQ(Parse("apri il coperchio della scatola rossa"), "");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Object(2), Slot("scatola_rossa"));
  EXPECT_EQ(parser.TokenValues[2][1], 0);
  EXPECT_EQ(parser.TokenWords[3], "");

  // Words that share no object stay two, and the verb's pattern decides.
  EXPECT_EQ(Parse("prendi la torcia della scatola rossa"),
            "Non mi è molto chiaro. Prova a riformulare!\n");
}

// The rest of the command can tell which of several objects is meant: the one the other
// object lies in, after "da"; the one that is open, after "in". When it cannot, the question
// is asked as before.
TEST_F(CommandTest, WhereTheOtherObjectIsSettlesTheQuestion) {
  AddVerb(12, 12, "togli", "%oda%o");
  AddVerb(13, 13, "metti", "%oin%o");
  AddObject(11, "scatola_rossa", "stanza", "la scatola rossa", "scatola rossa", "%f%c%O");
  AddObject(12, "scatola_verde", "stanza", "la scatola verde", "scatola verde", "%f%c%o");
  world.objects.ObjectLocation.Change(Slot("chiave_blu")) = "scatola_rossa";

  EXPECT_EQ(Parse("togli la chiave blu dalla scatola"), "");
  EXPECT_EQ(Object(4), Slot("scatola_rossa"));
  EXPECT_EQ(Parse("metti la torcia nella scatola"), "");
  EXPECT_EQ(Object(4), Slot("scatola_rossa"));

  world.objects.ObjectFlags.Change(Slot("scatola_verde")) = "%f%c%O";
  EXPECT_NE(Parse("metti la torcia nella scatola").find("Non ho ben capito"), std::string::npos);
  EXPECT_NE(Parse("togli la torcia dalla scatola").find("Non ho ben capito"), std::string::npos);
}

// "le chiavi" are every key in reach, each a "chiave"; the verb is then done to each. Only
// the first object of a command can be such a group, and a singular still gets a question.
TEST_F(CommandTest, APluralNamesEveryOneOfItsKind) {
  world.objects.ObjectNouns[Slot("chiave_rossa")] = " chiave rossa chiavi ";
  world.objects.ObjectNouns[Slot("chiave_blu")] = " chiave blu chiavi ";
  AddObject(11, "portachiavi", "stanza", "il portachiavi", "portachiavi chiavi");
  EXPECT_EQ(Parse("prendi le chiavi"), "");
  EXPECT_TRUE(parser.TokenNamesGroup[2]);
  EXPECT_EQ(Object(2), Slot("chiave_rossa"));
  EXPECT_EQ(parser.TokenValues[2][1], Slot("chiave_blu"));
  EXPECT_EQ(parser.TokenValues[2][2], 0);

  EXPECT_NE(Parse("prendi la chiave").find("Non ho ben capito"), std::string::npos);
  EXPECT_FALSE(parser.TokenNamesGroup[2]);
  EXPECT_NE(Parse("metti la torcia sulle chiavi").find("Non ho ben capito"), std::string::npos);
}

TEST_F(CommandTest, RoomsAreNamedButNotHandled) {
  EXPECT_EQ(Parse("esamina camera"), "Lascia perdere! Non ha davvero alcuna importanza.\n");
  EXPECT_FALSE(accepted);
  Parse("esamina stanza");
  EXPECT_EQ(parser.TokenCodes[2], kLocationWord);
  Parse("esamina corridoio");
  EXPECT_EQ(parser.TokenCodes[2], kLocationWord);
}

TEST_F(CommandTest, OnlyCanonicalPositiveNumbersAreNumbers) {
  for (const auto& [word, value] :
       {std::pair{"3", 3.0}, {"2.5", 2.5}, {".5", 0.5}, {"1000000", 1e6}}) {
    Parse(std::string("premi ") + word);
    EXPECT_EQ(parser.TokenCodes[2], kNumberWord) << word;
    EXPECT_EQ(parser.TokenValues[2][0], value) << word;
    EXPECT_EQ(Verb(), 5) << word;
  }
  for (const char* word :
       {"03", "0", "-3", "0.5", "2.50", "3x", "1.2.3", "+3", "123456789012345678901234567890"}) {
    Parse(std::string("premi ") + word);
    EXPECT_EQ(parser.TokenCodes[2], kPlainWord) << word;
  }
}

TEST_F(CommandTest, ACommandThatBeginsWithAnObjectContinuesThePreviousVerb) {
  EXPECT_EQ(Parse("torcia"), "Dovresti iniziare ogni frase con un verbo, per cortesia.\n");

  Parse("prendi i guanti");
  parser.PreviousVerb = Verb();
  EXPECT_EQ(Parse("torcia"), "(prendi)\n");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Verb(), 1);
  EXPECT_EQ(Object(2), Slot("torcia"));
}

TEST_F(CommandTest, AVerbAloneAsksForWhatIsMissing) {
  EXPECT_EQ(Parse("apri"), "Ho capito solo 'apri'. Cosa vuoi aprire?\n");
  EXPECT_EQ(parser.PreviousVerb, 33);
  EXPECT_EQ(Parse("prendi"), "Ho capito solo 'prendi'. Dovresti concludere la frase!\n");
  EXPECT_EQ(Parse("metti torcia in mensola"), "Non mi è molto chiaro. Prova a riformulare!\n");
}

TEST_F(CommandTest, AFreeWordFitsEvenWhenItIsMissing) {
  Parse("salva partita");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(Verb(), 4);
  EXPECT_EQ(parser.TopicSlot, 2);
  EXPECT_EQ(parser.TokenWords[parser.TopicSlot], "partita");

  Parse("salva");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(parser.TopicSlot, 2);
  EXPECT_EQ(parser.TokenWords[parser.TopicSlot], "");
}

TEST_F(CommandTest, OfTwoFittingEntriesTheLaterOneWins) {
  Parse("osserva la torcia");
  EXPECT_EQ(Verb(), 10);
  Parse("vai a destra");
  EXPECT_EQ(Verb(), 8);
}

// Whatever the line, the parser either accepts it or answers in its own words.
TEST_F(CommandTest, AnyLineGetsAParseOrTheParsersOwnAnswer) {
  std::string thousandWords;
  for (int i = 0; i < 1000; ++i) thousandWords += "prendi ";
  const std::string lines[] = {
      "",          "   ",           thousandWords, "il la lo gli", "!!! ??? ...", "\uFFFD\uFFFD",
      "sul",       "dentr a destr", "l'",          "d' un'",       "%o %t %% %v", "prendi %o",
      "premi 1e9", "te te te",      "lalalalala"};
  const std::string answers[] = {"Non si capisce a cosa ti riferisci!",
                                 "Non vedi più ",
                                 "Non ho ben capito",
                                 "Inoltre non ho ben capito",
                                 "Dovresti parlarmi di un oggetto alla volta!",
                                 "Dovresti iniziare ogni frase con un verbo, per cortesia.",
                                 "Non mi è molto chiaro. Prova a riformulare!",
                                 "Ho capito solo '",
                                 "Lascia perdere! Non ha davvero alcuna importanza.",
                                 "Non vedo nulla del genere.",
                                 "("};
  for (const std::string& line : lines) {
    std::istringstream printed(Parse(std::string(TrimBlanks(line))));
    for (std::string shown; std::getline(printed, shown);) {
      const bool known = std::ranges::any_of(
          answers, [&](const std::string& answer) { return shown.starts_with(answer); });
      // A question about several objects may run on to a second line.
      EXPECT_TRUE(known || shown.find("per cui ti prego") != std::string::npos)
          << "«" << line.substr(0, 40) << "» printed «" << shown << "»";
    }
  }
  Parse(thousandWords.substr(0, thousandWords.size() - 1));
  EXPECT_EQ(parser.TokenWords[10].size(), thousandWords.size() - 1 - 9 * 7);
}

}  // namespace
}  // namespace vortila
