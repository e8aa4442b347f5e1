#include "parser/parser_state.h"

namespace vortila {

namespace {

void CopySlot(ParserState& parser, int from, int to) {
  parser.TokenWords[to] = parser.TokenWords[from];
  parser.TokenCodes[to] = parser.TokenCodes[from];
  parser.TokenValues[to] = parser.TokenValues[from];
  parser.TokenFromClitic[to] = parser.TokenFromClitic[from];
  parser.TokenNamesGroup[to] = parser.TokenNamesGroup[from];
}

}  // namespace

int FirstCandidate(const ParserState& parser, int slot) {
  // A number slot may hold any value; only what fits the game's 16-bit integers is a slot
  // or a code, anything else reads as none.
  const double value = parser.TokenValues[slot][0];
  return value >= -32768 && value <= 32767 ? static_cast<int>(value) : 0;
}

void ClearSlot(ParserState& parser, int slot) {
  parser.TokenWords[slot].clear();
  parser.TokenCodes[slot] = kPlainWord;
  parser.TokenValues[slot].fill(0);
  parser.TokenFromClitic[slot] = false;
  parser.TokenNamesGroup[slot] = false;
}

void MoveSlotsUp(ParserState& parser, int slot) {
  for (int to = kTokenSlots; to > slot; --to) CopySlot(parser, to - 1, to);
}

void RemoveSlot(ParserState& parser, int slot) {
  for (int to = slot; to < kTokenSlots; ++to) CopySlot(parser, to + 1, to);
  ClearSlot(parser, kTokenSlots);
}

}  // namespace vortila
