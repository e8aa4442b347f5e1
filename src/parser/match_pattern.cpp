#include "parser/match_pattern.h"

#include <string>

#include "parser/messages.h"

namespace vortila {

namespace {

constexpr std::string_view kFreeWord = "%t";

// How a slot reads in a pattern: its own code, except that a plain word is written as
// itself and a noun of the room counts as an object.
std::string_view PatternElement(const ParserState& parser, int slot) {
  const std::string_view code = parser.TokenCodes[slot];
  if (code == kPlainWord) return parser.TokenWords[slot];
  if (code == kRoomNoun) return kObjectWord;
  return code;
}

std::string InputPattern(const ParserState& parser) {
  std::string pattern;
  if (parser.TokenCodes[2] == kPlainWord && parser.TokenWords[2].empty()) pattern = "%%";
  for (int slot = 2; slot <= kTokenSlots; ++slot) pattern += PatternElement(parser, slot);
  return pattern;
}

// The command written against a pattern with a free word at `freeAt`: the plain word that
// falls exactly there, even an empty one, reads as "%t". Returns the slot it took, or 0.
int FreeWordSlot(const ParserState& parser, std::size_t freeAt, std::string& shape) {
  int freeSlot = 0;
  for (int slot = 2; slot <= kTokenSlots; ++slot) {
    if (parser.TokenCodes[slot] == kPlainWord && shape.size() == freeAt) {
      shape += kFreeWord;
      freeSlot = slot;
    } else {
      shape += PatternElement(parser, slot);
    }
  }
  return freeSlot;
}

// The word that names a verb code when the player did not type it: the first of its entry.
std::string FirstVerbWord(const World& world, int code) {
  const std::string_view words = world.verbs.VerbWords[code];
  const std::string_view afterBlank = words.substr(words.empty() ? 0 : 1);
  return std::string(afterBlank.substr(0, afterBlank.find(' ')));
}

// The command begins with an object: it continues the previous verb, when there is one.
void ContinuePreviousVerb(ParserState& parser, const World& world, Screen& screen) {
  const std::string_view code = parser.TokenCodes[1];
  if ((code == kObjectWord || code == kRoomNoun) && parser.PreviousVerb > 0 &&
      parser.PreviousVerb <= kVerbSlots) {
    const std::string verb = FirstVerbWord(world, parser.PreviousVerb);
    PrintText(screen, "(" + verb + ")");
    MoveSlotsUp(parser, 1);
    parser.TokenWords[1] = verb;
    parser.TokenValues[1][0] = parser.PreviousVerb;
    parser.TokenCodes[1] = kVerbWord;
    return;
  }
  parser.TurnNotCounted = true;
  ParserMessage(parser, screen, kStartWithAVerb);
}

}  // namespace

void MatchPattern(ParserState& parser, const World& world, Screen& screen) {
  if (parser.TokenCodes[1] != kVerbWord) {
    ContinuePreviousVerb(parser, world, screen);
    return;
  }
  parser.PreviousVerb = 0;
  parser.TopicSlot = 0;
  parser.Asked.reset();
  const std::string input = InputPattern(parser);
  int choice = 0;
  // Every fitting candidate replaces an earlier one: the entry latest in the verb table
  // wins.
  for (const double candidate : parser.TokenValues[1]) {
    const int code = static_cast<int>(candidate);
    if (code <= 0 || code > kVerbSlots) continue;
    const std::string& pattern = world.verbs.VerbPatterns[code];
    if (pattern == input) {
      choice = code;
      continue;
    }
    const std::size_t freeAt = pattern.find(kFreeWord);
    if (freeAt == std::string::npos) continue;
    std::string shape;
    const int freeSlot = FreeWordSlot(parser, freeAt, shape);
    if (shape == pattern) {
      choice = code;
      parser.TopicSlot = freeSlot;
    }
  }
  parser.TokenValues[0][0] = choice;

  if (parser.TurnNotCounted) return;
  if (choice != 0) {
    parser.TokenValues[1][0] = choice;
    // An answer that settles the last question says which verb it goes on with, as a
    // command that continues the previous verb does.
    if (parser.AnswersQuestion && !parser.AmbiguityReported) {
      PrintText(screen, "(" + FirstVerbWord(world, choice) + ")");
    }
  } else {
    parser.TurnNotCounted = true;
    ParserMessage(parser, screen, parser.TokenWords[2].empty() ? kVerbAlone : kNotClear);
  }
}

void CheckRoomWords(ParserState& parser, Screen& screen) {
  for (int slot = 1; slot <= kTokenSlots; ++slot) {
    if (parser.TokenCodes[slot] == kRoomNoun) {
      parser.TurnNotCounted = true;
      ParserMessage(parser, screen, kNotImportant);
      return;
    }
  }
}

}  // namespace vortila
