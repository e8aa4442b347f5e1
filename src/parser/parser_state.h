#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

// The parser's memory: the token table of the command being parsed, the flags that tell
// the rules what became of it, and what carries over from one command to the next (the
// previous verb, the free word, the objects the pronouns stand for).
namespace vortila {

// Word slots 1..10 hold the command; slot 0 never holds a word and serves as scratch space.
inline constexpr int kTokenSlots = 10;
// Each slot keeps up to eleven candidates, 0..10; a twelfth overwrites candidate 10.
inline constexpr int kLastCandidate = 10;

// The class of a word slot, as the two characters that stand for it in a verb's patterns.
// Two characters rather than a text, so that telling classes apart, which the parser does
// for every slot again and again, is a single comparison.
struct WordClass {
  std::array<char, 2> code{};
  constexpr operator std::string_view() const { return {code.data(), code.size()}; }
  friend constexpr bool operator==(const WordClass&, const WordClass&) = default;
};

inline constexpr WordClass kPlainWord{{'%', 'p'}};
inline constexpr WordClass kVerbWord{{'%', 'v'}};
inline constexpr WordClass kObjectWord{{'%', 'o'}};
inline constexpr WordClass kRoomNoun{{'%', 'f'}};
inline constexpr WordClass kLocationWord{{'%', 'l'}};
inline constexpr WordClass kNumberWord{{'%', 'n'}};

template <typename T>
using TokenSlots = std::array<T, kTokenSlots + 1>;
using Candidates = std::array<double, kLastCandidate + 1>;

// The token table of a command that asked which of several objects was meant, as the parse
// left it, so that the answer can complete it.
struct AskedCommand {
  TokenSlots<std::string> TokenWords;
  TokenSlots<WordClass> TokenCodes{};
  TokenSlots<Candidates> TokenValues{};
};

struct ParserState {
  TokenSlots<std::string> TokenWords;
  TokenSlots<WordClass> TokenCodes{};
  // Verb codes, object slots or the value of a number, by slot and candidate; 0 is none.
  TokenSlots<Candidates> TokenValues{};
  // The slot was put in for a clitic pronoun ("togliti", "prendila"), not typed.
  TokenSlots<bool> TokenFromClitic{};
  // The slot is a plural that names every one of its candidates ("le piastrine").
  TokenSlots<bool> TokenNamesGroup{};

  // The command was refused, or must not count as a turn of the story.
  bool TurnNotCounted = false;
  // The parser asked which of several objects was meant; the verb is then not performed.
  bool AmbiguityReported = false;

  // The verb a command that begins with an object is taken to continue.
  int PreviousVerb = 0;
  // The slot of the free word ("%t") the chosen pattern took.
  int TopicSlot = 0;

  // The command that asked which object was meant, while an answer may still come: it is
  // forgotten, as the previous verb is, by the next command that begins with a verb or is
  // carried out. It never changes once asked, so the copies of the parser that rewind keeps
  // share it rather than each hold a token table of its own.
  std::shared_ptr<const AskedCommand> Asked;
  // This command answered that question, and the token table holds the asking command again.
  bool AnswersQuestion = false;

  // The objects the clitics "la", "le", "li" and "lo" stand for.
  int ReferentFemSingular = 0;
  int ReferentFemPlural = 0;
  int ReferentMascPlural = 0;
  int ReferentMascSingular = 0;
};

// The first candidate of a slot, read as a table slot or verb code.
int FirstCandidate(const ParserState& parser, int slot);

// Moves slots `slot`..9 one place up to `slot`+1..10, with their words, codes,
// candidates and marks; what slot 10 held is lost and slot `slot` keeps its old contents.
void MoveSlotsUp(ParserState& parser, int slot);

// Removes slot `slot`: the slots after it move one place down and slot 10 becomes empty.
void RemoveSlot(ParserState& parser, int slot);

// Empties a slot: no word, a plain-word code, no candidates, typed, no group.
void ClearSlot(ParserState& parser, int slot);

// Empties all eleven slots as ClearSlot empties one, each column at once, as every command
// does before its words are split.
inline void ClearSlots(ParserState& parser) {
  for (std::string& word : parser.TokenWords) word.clear();
  parser.TokenCodes.fill(kPlainWord);
  parser.TokenValues = {};
  parser.TokenFromClitic = {};
  parser.TokenNamesGroup = {};
}

}  // namespace vortila
