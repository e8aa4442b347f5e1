#pragma once

#include <string_view>

#include "parser/parser_state.h"
#include "screen/screen.h"
#include "screen/window.h"
#include "world/world.h"

// Services on the object table that the parser, the room description and the rules share:
// what the player can perceive, lists of contents, the inventory label, pictures, the text
// a code carries in brackets, and named flags.
namespace vortila {

// Whether the player can perceive `object` where he is: it is everywhere ("*"), or lies in
// his room, or its holder is perceivable and is not a closed, opaque container. Holders
// that contain each other are out of reach rather than a question without end.
bool IsInScope(const ObjectTable& objects, int object);

// The text carried in brackets by the code whose "%" stands at `codePosition` (0-based):
// it starts at the second character after the code letter (the one right after the letter
// is normally "[") and runs to the first "]" or, when there is none, to the end.
std::string_view ReadBracketText(std::string_view text, std::size_t codePosition);

// The bracketed text of the first `code` in `flags`, or nothing when the code is absent.
std::string_view CodeArgument(std::string_view flags, std::string_view code);

// Prints what `holder` (an object Id) holds: first each object's own sentence ("%i"), which
// also makes it the referent of its pronoun; then `header` and the titles of the other
// objects as "A, B e C.", leaving out what is fixed ("%s") or never listed ("%R"). Prints
// nothing at all when there is nothing to name.
void ListContents(ParserState& parser, const ObjectTable& objects, Screen& screen,
                  std::string_view header, std::string_view holder);

// Rebuilds the inventory label: one line per carried object, "> " and its title, "*" when
// it is worn, and one "+" for each visible thing inside a carried open container. During
// the introduction (StoryClock below 6) the label keeps what it showed, and a label made from
// the objects as they still stand is left as it is.
void UpdateInventory(const World& world, Screen& screen);

// Shows the picture named by the object's "%I" code, once the introduction has begun to
// give the picture pane away (StoryClock 1 or more). A name with a folder in it names no
// picture of the game, and shows nothing.
void ShowObjectPicture(const World& world, Screen& screen, int object);

// Named flags: "%(name)" is on, "$(name)" off. Toggling rewrites the first of them in place.
void ToggleNamedFlag(ObjectTable& objects, int object, std::string_view name);
bool HasNamedFlag(const ObjectTable& objects, int object, std::string_view name);

// How many objects `object` holds, whatever they are.
int CountContents(const ObjectTable& objects, int object);
// How many objects lie at `place` (an Id, or a place such as "stesso").
int CountObjectsAt(const ObjectTable& objects, std::string_view place);

}  // namespace vortila
