#pragma once

#include <span>
#include <string>
#include <string_view>

#include "parser/parser_state.h"

// The first two stages of every parse: the command is reduced to bare words (articulated
// prepositions become the bare preposition, articles and fillers go) and cut into slots.
namespace vortila {

// One row of the normalisation: a form that begins a word, and what it becomes.
struct Replacement {
  std::string_view form;
  std::string_view replacement;
};

// The rows NormaliseInput applies, in the order it applies them.
std::span<const Replacement> NormalisationTable();

// Replaces `form` wherever it stands at the start of a word of `line` (right after a blank)
// with `replacement` and a blank, or with nothing when `replacement` is empty, until no
// such place is left. One pass over the line, so its cost grows with its length only.
// Returns whether the form stood anywhere. `form` is not empty.
bool ReplaceWord(std::string& line, std::string_view form, std::string_view replacement);

// Rewrites a lower-cased, trimmed command line into the parser's fixed vocabulary.
void NormaliseInput(std::string& InputLine);

// Clears the token table and cuts `InputLine` into at most ten word slots; slot 10 keeps
// the rest of a longer command, blanks included.
void SplitWords(ParserState& parser, std::string_view InputLine);

}  // namespace vortila
