#pragma once

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "world/world.h"

// The object words and the numbers of a command. Every word is looked up, wherever it
// stands; the verb's pattern decides afterwards what the order of the words means.
namespace vortila {

// Marks each word that names objects the player can perceive, the room he is in, or another
// place; merges two adjacent object words that name the same object ("pila sinistra"); and
// asks which one is meant when a word still names several.
void ResolveObjects(ParserState& parser, const World& world, Screen& screen);

// "di", "da" and "a" link two words ("cassetta di attrezzi") even where an object is named
// by them, and are then no object word of their own.
bool IsLinkWord(std::string_view word);

// When slot `slot` still names several objects, says so, naming up to five of them.
void ReportAmbiguity(ParserState& parser, const ObjectTable& objects, Screen& screen, int slot);

// Marks plain words that are a positive number written the way the game writes numbers
// ("3", "2.5", ".5"; not "03", "0" or "-3").
void RecogniseNumbers(ParserState& parser);

}  // namespace vortila
