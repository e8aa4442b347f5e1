#include "parser/recognise_verb.h"

#include <algorithm>
#include <string>
#include <vector>

#include "parser/object_services.h"

namespace vortila {

namespace {

// The word that stands for the player after "ti" and "mi" is looked up like any other word;
// the one put in for "la", "le", "li" and "lo" has blanks at both ends, so no noun can
// match it and the referent stays the slot's object.
struct Clitic {
  std::string_view suffix;
  int ParserState::*referent;  // null: the player
  std::string_view word;
};

constexpr Clitic kClitics[] = {
    {"ti", nullptr, "te"},
    {"mi", nullptr, "te"},
    {"la", &ParserState::ReferentFemSingular, " (la) "},
    {"le", &ParserState::ReferentFemPlural, " (le) "},
    {"li", &ParserState::ReferentMascPlural, " (li) "},
    {"lo", &ParserState::ReferentMascSingular, " (lo) "},
};

constexpr int kPlayerSlot = 1;

// Step one of the recognition: every verb entry whose words hold the first word.
void LookUpVerb(ParserState& parser, const World& world) {
  int candidate = 0;
  for (const int entry : VerbEntriesNaming(world, parser.TokenWords[1])) {
    parser.TokenCodes[1] = kVerbWord;
    parser.TokenValues[1][candidate] = world.verbs.VerbCode[entry];
    candidate = std::min(candidate + 1, kLastCandidate);
  }
}

}  // namespace

void RecogniseVerb(ParserState& parser, const World& world, Screen& screen) {
  // Each clitic found restarts the recognition on the shortened word, and the clitic
  // tests then go on where they were. That nesting is kept as a stack of the next test
  // of each level, so a word made of many clitics cannot exhaust the call stack.
  std::vector<std::size_t> nextTest;
  const auto recognise = [&] {
    LookUpVerb(parser, world);
    if (parser.TokenCodes[1] == kPlainWord) nextTest.push_back(0);
  };
  recognise();
  // Once the word is a verb nothing more is cut off it: "togliti" gives "togli", which must
  // not lose its "li" in turn.
  while (!nextTest.empty() && parser.TokenCodes[1] == kPlainWord) {
    const std::size_t test = nextTest.back()++;
    if (test == std::size(kClitics)) {
      nextTest.pop_back();
      continue;
    }
    const Clitic& clitic = kClitics[test];
    if (!std::string_view(parser.TokenWords[1]).ends_with(clitic.suffix)) continue;
    const int referent = clitic.referent ? parser.*clitic.referent : kPlayerSlot;
    ResolvePronoun(parser, world, screen, referent, clitic.word);
    recognise();
  }
}

void ResolvePronoun(ParserState& parser, const World& world, Screen& screen, int referent,
                    std::string_view word) {
  if (referent == 0) {
    PrintText(screen, "Non si capisce a cosa ti riferisci!");
    parser.TurnNotCounted = true;
  } else {
    MoveSlotsUp(parser, 2);
    parser.TokenWords[2] = word;
    parser.TokenValues[2][0] = referent;
    parser.TokenFromClitic[2] = true;
    if (!IsInScope(world.objects, referent)) {
      parser.TurnNotCounted = true;
      PrintText(screen, "Non vedi più " + world.objects.ObjectTitle[referent] + ".");
    }
    parser.TokenCodes[2] = kObjectWord;
  }
  std::string& verb = parser.TokenWords[1];
  verb.erase(verb.size() - std::min<std::size_t>(2, verb.size()));
}

GenderAndNumber GenderAndNumberOf(std::string_view flags) {
  // Both codes are looked for in one pass over the marks, which stops once both are found;
  // the text in brackets that ends most flags holds no marks to stop at.
  GenderAndNumber found;
  for (std::size_t mark = flags.find('%');
       mark != std::string_view::npos && mark + 1 < flags.size();
       mark = flags.find('%', mark + 1)) {
    found.feminine = found.feminine || flags[mark + 1] == 'f';
    found.plural = found.plural || flags[mark + 1] == 'p';
    if (found.feminine && found.plural) break;
  }
  return found;
}

void RememberPronoun(ParserState& parser, const ObjectTable& objects, int object) {
  RememberPronoun(parser, object, GenderAndNumberOf(objects.ObjectFlags[object]));
}

void RememberPronoun(ParserState& parser, int object, GenderAndNumber form) {
  const auto [feminine, plural] = form;
  if (feminine && plural) {
    parser.ReferentFemPlural = object;
  } else if (plural) {
    parser.ReferentMascPlural = object;
  } else if (feminine) {
    parser.ReferentFemSingular = object;
  } else {
    parser.ReferentMascSingular = object;
  }
}

}  // namespace vortila
