#pragma once

#include <string_view>

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "world/world.h"

// The verb: the first word is looked up in the verb table; a word that names no verb may
// carry a clitic pronoun ("prendila", "guardati"), which is cut off and replaced by the
// object it stands for, placed as the next word.
namespace vortila {

// Marks slot 1 as the verb with every verb code its word names, trying the clitics when it
// names none.
void RecogniseVerb(ParserState& parser, const World& world, Screen& screen);

// Puts `referent` (an object slot, 0 when the pronoun stands for nothing yet) into slot 2
// as the object word `word`, and cuts the clitic off the first word.
void ResolvePronoun(ParserState& parser, const World& world, Screen& screen, int referent,
                    std::string_view word);

// An object's gender and number, as its flags tell them: "%f" feminine, "%p" plural.
struct GenderAndNumber {
  bool feminine = false;
  bool plural = false;
};
GenderAndNumber GenderAndNumberOf(std::string_view flags);

// Makes `object` what the clitic of its gender and number ("la", "le", "li", "lo") stands
// for from now on.
void RememberPronoun(ParserState& parser, const ObjectTable& objects, int object);
// The same for an object whose gender and number are known already.
void RememberPronoun(ParserState& parser, int object, GenderAndNumber form);

}  // namespace vortila
