#include "parser/answer_question.h"

#include <algorithm>
#include <memory>

#include "parser/object_services.h"
#include "parser/resolve_objects.h"

namespace vortila {

namespace {

bool IsUnsettled(const AskedCommand& command, int slot) {
  return command.TokenCodes[slot] == kObjectWord && command.TokenValues[slot][1] != 0;
}

bool NamesCandidate(const Candidates& named, double candidate) {
  return std::find(named.begin(), named.end(), candidate) != named.end();
}

// An answer is nothing but object words, linked or not ("sinistro", "accumulatore
// sinistro", "quello di sinistra").
bool IsMadeOfObjectWords(const ParserState& parser) {
  bool namesObject = false;
  for (int slot = 1; slot <= kTokenSlots; ++slot) {
    const std::string& word = parser.TokenWords[slot];
    if (word.empty() || IsLinkWord(word)) continue;
    if (parser.TokenCodes[slot] != kObjectWord) return false;
    namesObject = true;
  }
  return namesObject;
}

// Between the question and its answer a lost game may have been started again: the objects
// the question was about must all still be in reach.
bool IsStillInReach(const AskedCommand& command, const ObjectTable& objects) {
  for (int slot = 2; slot <= kTokenSlots; ++slot) {
    if (command.TokenCodes[slot] != kObjectWord) continue;
    for (const double candidate : command.TokenValues[slot]) {
      const int object = static_cast<int>(candidate);
      if (object != 0 && (object < 0 || object > kObjectSlots || !IsInScope(objects, object))) {
        return false;
      }
    }
  }
  return true;
}

// The objects of `offered` that every word of the answer names, in the order offered.
Candidates NamedByEveryWord(const ParserState& parser, const Candidates& offered) {
  Candidates kept{};
  int count = 0;
  for (const double candidate : offered) {
    if (candidate == 0) continue;
    bool namedByAll = true;
    for (int slot = 1; slot <= kTokenSlots && !parser.TokenWords[slot].empty(); ++slot) {
      if (IsLinkWord(parser.TokenWords[slot])) continue;
      namedByAll = namedByAll && NamesCandidate(parser.TokenValues[slot], candidate);
    }
    if (namedByAll) kept[count++] = candidate;
  }
  return kept;
}

void PutBack(ParserState& parser, const AskedCommand& command) {
  parser.TokenWords = command.TokenWords;
  parser.TokenCodes = command.TokenCodes;
  parser.TokenValues = command.TokenValues;
  parser.TokenFromClitic.fill(false);
  parser.TokenNamesGroup.fill(false);
}

}  // namespace

void TakeAnswer(ParserState& parser, const World& world) {
  if (!parser.Asked || parser.TurnNotCounted || !IsMadeOfObjectWords(parser)) return;
  AskedCommand command = *parser.Asked;
  if (!IsStillInReach(command, world.objects)) return;
  // The questions were asked in the order of the words, and are answered in that order; an
  // answer that fits none of the first question's objects may answer a later one.
  for (int slot = 2; slot <= kTokenSlots; ++slot) {
    if (!IsUnsettled(command, slot)) continue;
    const Candidates named = NamedByEveryWord(parser, command.TokenValues[slot]);
    if (named[0] == 0) continue;
    command.TokenValues[slot] = named;
    PutBack(parser, command);
    parser.AnswersQuestion = true;
    return;
  }
}

void RememberQuestion(ParserState& parser) {
  if (!parser.AmbiguityReported) {
    parser.Asked.reset();
    return;
  }
  parser.Asked = std::make_shared<const AskedCommand>(
      AskedCommand{parser.TokenWords, parser.TokenCodes, parser.TokenValues});
}

}  // namespace vortila
