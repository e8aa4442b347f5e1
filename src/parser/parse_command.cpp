#include "parser/parse_command.h"

#include "parser/answer_question.h"
#include "parser/match_pattern.h"
#include "parser/normalise.h"
#include "parser/recognise_verb.h"
#include "parser/resolve_objects.h"

namespace vortila {

bool ParseCommand(ParserState& parser, World& world, Screen& screen) {
  NormaliseInput(world.InputLine);
  SplitWords(parser, world.InputLine);
  parser.TurnNotCounted = false;
  parser.AmbiguityReported = false;
  parser.AnswersQuestion = false;
  RecogniseVerb(parser, world, screen);
  ResolveObjects(parser, world, screen);
  RecogniseNumbers(parser);
  MatchPattern(parser, world, screen);
  if (!parser.TurnNotCounted) CheckRoomWords(parser, screen);
  if (!parser.TurnNotCounted) RememberQuestion(parser);
  return !parser.TurnNotCounted;
}

}  // namespace vortila
