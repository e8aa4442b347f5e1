#include "parser/resolve_objects.h"

#include <algorithm>
#include <optional>
#include <string>

#include "parser/answer_question.h"
#include "parser/messages.h"
#include "parser/object_services.h"
#include "parser/settle_candidates.h"
#include "text/decimal.h"

namespace vortila {

namespace {

constexpr int kPlayerSlot = 1;
// Five candidates at most are named when the parser asks which object is meant.
constexpr int kAmbiguityNames = 5;

// What the word of a slot names: the object slots in scope, and the class the last match
// gave it. Returns whether the word names objects, none of them in reach. An empty slot is
// no word, and is not looked up: it would match the empty Ids of unused slots.
bool LookUpWord(ParserState& parser, const World& world, int slot) {
  const std::string& word = parser.TokenWords[slot];
  const ObjectTable& objects = world.objects;
  bool seenOutside = false;
  int found = 0;
  for (const int k : ObjectsNaming(world, word)) {
    if (k == world.CurrentRoom && objects.ObjectId[k] != word) {
      parser.TokenCodes[slot] = kRoomNoun;
    } else if (objects.ObjectLocation[k] == kRoomPlace) {
      parser.TokenCodes[slot] = kLocationWord;
    } else {
      seenOutside = true;
      if (IsInScope(objects, k)) {
        parser.TokenCodes[slot] = kObjectWord;
        parser.TokenValues[slot][found] = k;
        found = std::min(found + 1, kLastCandidate);
      }
    }
  }
  return seenOutside && found == 0;
}

// The objects that slots `slot` and `other` both name, gathered in the scratch row 0.
int IntersectCandidates(ParserState& parser, int slot, int other) {
  auto& common = parser.TokenValues[0];
  // Row 0 may still hold the candidates an earlier ambiguity question copied there; they
  // must not slip into the merged word beside the objects the two words share.
  common.fill(0);
  int count = 0;
  for (const double candidate : parser.TokenValues[slot]) {
    if (candidate == 0) continue;
    for (const double candidate2 : parser.TokenValues[other]) {
      if (candidate2 != candidate) continue;
      common[std::min(count, kLastCandidate)] = candidate;
      ++count;
    }
  }
  return count;
}

// "il coperchio dell'accumulatore", "gli occhi del ragno": the word after "di" says whose
// part the first one is. When both name a common object, "di" goes and the two words are
// merged as any two words naming one object are.
void DropOfBetweenPartAndWhole(ParserState& parser, int slot) {
  if (slot + 2 > kTokenSlots || parser.TokenCodes[slot] != kObjectWord ||
      parser.TokenWords[slot + 1] != "di" || parser.TokenCodes[slot + 2] != kObjectWord) {
    return;
  }
  if (IntersectCandidates(parser, slot, slot + 2) > 0) RemoveSlot(parser, slot + 1);
  parser.TokenValues[0].fill(0);
}

// "ti" and "mi" put the player in as the word "te". Followed by the object the verb is
// about ("togliti il casco", "mettiti il casco") the pronoun adds nothing to the meaning,
// and keeping it would make the two words two objects at once. A "te" the player typed is
// meant, and stays: "esamina te torcia" names two objects.
bool IsReflexivePronoun(const ParserState& parser, int slot) {
  return parser.TokenFromClitic[slot] && FirstCandidate(parser, slot) == kPlayerSlot;
}

// Merges slot `slot` with the next one when both are object words. Returns the slot the
// merging goes on from, which is `slot` - 1 when the words have been joined or one dropped.
int MergeObjectWords(ParserState& parser, Screen& screen, int slot) {
  if (IntersectCandidates(parser, slot, slot + 1) > 0) {
    parser.TokenValues[slot] = parser.TokenValues[0];
    parser.TokenValues[0].fill(0);
    // A word the player typed, joined to the clitic's, makes the object one he named.
    parser.TokenFromClitic[slot] = parser.TokenFromClitic[slot] && parser.TokenFromClitic[slot + 1];
    RemoveSlot(parser, slot + 1);
    return slot - 1;
  }
  if (IsReflexivePronoun(parser, slot)) {
    RemoveSlot(parser, slot);
    return slot - 1;
  }
  if (IsLinkWord(parser.TokenWords[slot + 1])) {
    parser.TokenCodes[slot + 1] = kPlainWord;
  } else {
    parser.TurnNotCounted = true;
    ParserMessage(parser, screen, kOneObjectAtATime);
  }
  return slot;
}

std::string_view TitleOf(const ObjectTable& objects, double slot) {
  return slot >= 0 && slot <= kObjectSlots ? objects.ObjectTitle[static_cast<int>(slot)]
                                           : std::string_view();
}

// The value of `word` when it is a positive number written as the game writes one: digits
// and at most one decimal point, no sign, no leading zero, no "0" before the point, no
// trailing zero after it.
std::optional<double> CanonicalNumber(std::string_view word) {
  if (word.empty() || word.find_first_not_of("0123456789.") != std::string_view::npos) {
    return std::nullopt;
  }
  const std::optional<double> value = ParseDecimal(word);
  if (!value || !(*value > 0)) return std::nullopt;
  std::string shortest = ShortestFixed(*value);
  if (shortest.starts_with("0.")) shortest.erase(0, 1);
  if (shortest != word) return std::nullopt;
  return value;
}

}  // namespace

bool IsLinkWord(std::string_view word) { return word == "di" || word == "da" || word == "a"; }

void ResolveObjects(ParserState& parser, const World& world, Screen& screen) {
  bool nothingLikeThat = false;
  for (int slot = 1; slot <= kTokenSlots; ++slot) {
    if (parser.TokenWords[slot].empty()) continue;
    nothingLikeThat = LookUpWord(parser, world, slot) || nothingLikeThat;
  }
  // One refusal for the command, however many of its words name things out of reach: "la
  // piastrina grigia" is one thing the player cannot see, not two.
  if (nothingLikeThat) {
    parser.TurnNotCounted = true;
    ParserMessage(parser, screen, kNothingLikeThat);
  }
  // An answer to the question asked last brings back the command that asked it, whose
  // words are then merged and questioned as before.
  TakeAnswer(parser, world);

  int slot = 1;
  do {
    DropOfBetweenPartAndWhole(parser, slot);
    if (parser.TokenCodes[slot] == kObjectWord && parser.TokenCodes[slot + 1] == kObjectWord) {
      slot = MergeObjectWords(parser, screen, slot);
    }
    // After a merge this is the word before the merged one, which is looked at again. Only
    // an object word has candidates to settle or to ask about.
    if (parser.TokenCodes[slot] == kObjectWord) {
      SettleCandidates(parser, world, slot);
      if (!parser.TokenNamesGroup[slot]) ReportAmbiguity(parser, world.objects, screen, slot);
    }
    ++slot;
  } while (slot < kTokenSlots && !parser.TurnNotCounted);

  for (int s = 1; s <= kTokenSlots; ++s) {
    if (parser.TokenCodes[s] == kObjectWord && IsLinkWord(parser.TokenWords[s])) {
      parser.TokenCodes[s] = kPlainWord;
    }
  }
}

void ReportAmbiguity(ParserState& parser, const ObjectTable& objects, Screen& screen, int slot) {
  if (parser.TokenCodes[slot] != kObjectWord) return;
  const bool askedBefore = parser.AmbiguityReported;
  auto& named = parser.TokenValues[0];
  const auto& candidates = parser.TokenValues[slot];
  bool ambiguous = false;
  for (int j = 0; j < kAmbiguityNames; ++j) {
    named[j] = candidates[j];
    if (candidates[j] != 0 && candidates[j + 1] != 0) ambiguous = true;
  }
  if (!ambiguous) return;
  parser.AmbiguityReported = true;

  PrintOpen(screen, askedBefore ? "Inoltre non" : "Non");
  PrintOpen(screen, " ho ben capito a quale ti riferisci tra ");
  const int count = static_cast<int>(std::count_if(named.begin(), named.begin() + kAmbiguityNames,
                                                   [](double value) { return value != 0; }));
  for (int j = 0; j < kAmbiguityNames; ++j) {
    if (named[j] == 0) continue;
    PrintOpen(screen, TitleOf(objects, named[j]));
    PrintOpen(screen, j + 2 == count ? " e " : ", ");
  }
  PrintText(screen, " per cui ti prego di riformulare specificandolo.");
}

void RecogniseNumbers(ParserState& parser) {
  for (int slot = 1; slot <= kTokenSlots; ++slot) {
    if (parser.TokenCodes[slot] != kPlainWord) continue;
    if (const std::optional<double> value = CanonicalNumber(parser.TokenWords[slot])) {
      parser.TokenCodes[slot] = kNumberWord;
      parser.TokenValues[slot][0] = *value;
    }
  }
}

}  // namespace vortila
