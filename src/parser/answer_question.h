#pragma once

#include "parser/parser_state.h"
#include "world/world.h"

// The answer to the parser's question "which one do you mean?". A command whose words
// only name objects, among them some of those the question offered, is taken as that
// answer: the command that asked comes back with the word settled, and goes on to its verb,
// or to the question about its next unsettled word. A command with two unsettled words
// ("metti l'accumulatore nella nicchia") is thus settled by one answer after the other.
namespace vortila {

// Run after every word has been looked up and before the words are merged. When the
// command answers the question asked last, puts the asking command back into the token
// table with the answered word narrowed to the objects that every word of the answer
// names, and sets AnswersQuestion. Anything else is left to the parse as it stands.
void TakeAnswer(ParserState& parser, const World& world);

// Run for every command that goes on to be carried out: keeps it when it asked which
// object was meant, and forgets any earlier question otherwise.
void RememberQuestion(ParserState& parser);

}  // namespace vortila
