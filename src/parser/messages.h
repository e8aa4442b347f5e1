#pragma once

#include "parser/parser_state.h"
#include "screen/screen.h"

// The replies with which the parser refuses a command it cannot use.
namespace vortila {

enum ParserFailure {
  kOneObjectAtATime = 1,
  kStartWithAVerb = 3,
  kNotClear = 4,
  kVerbAlone = 5,
  kNotImportant = 7,
  kNothingLikeThat = 10,
};

// Prints the reply for `failure`. For a verb typed alone it also asks for what is missing,
// in words that fit the verb, and keeps the verb for an answer made of an object alone.
void ParserMessage(ParserState& parser, Screen& screen, ParserFailure failure);

}  // namespace vortila
