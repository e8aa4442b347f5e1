#include "parser/settle_candidates.h"

#include <array>
#include <string>

#include "parser/object_services.h"

namespace vortila {

namespace {

template <typename Keep>
int KeepCandidates(ParserState& parser, int slot, Keep keep) {
  Candidates kept{};
  int count = 0;
  for (const double candidate : parser.TokenValues[slot]) {
    if (candidate != 0 && keep(static_cast<int>(candidate))) kept[count++] = candidate;
  }
  if (count > 0) parser.TokenValues[slot] = kept;
  return count;
}

bool IsUnsettled(const ParserState& parser, int slot) {
  return parser.TokenCodes[slot] == kObjectWord && parser.TokenValues[slot][1] != 0;
}

// The single object named by the object word before "da" or "in", or 0.
int ObjectBefore(const ParserState& parser, int slot) {
  const int before = slot - 2;
  if (before < 1 || parser.TokenCodes[before] != kObjectWord) return 0;
  if (parser.TokenValues[before][1] != 0) return 0;
  return FirstCandidate(parser, before);
}

bool IsOpenContainer(std::string_view flags) {
  return HasCode(flags, "%c") && !HasCode(flags, "%o") && !HasCode(flags, "%k");
}

void KeepByPreposition(ParserState& parser, const ObjectTable& objects, int slot) {
  if (slot < 3) return;
  const std::string& preposition = parser.TokenWords[slot - 1];
  if (preposition == "da") {
    const int object = ObjectBefore(parser, slot);
    if (object <= 0 || object > kObjectSlots) return;
    KeepCandidates(parser, slot, [&](int holder) {
      return objects.ObjectId[holder] == objects.ObjectLocation[object];
    });
  } else if (preposition == "in") {
    KeepCandidates(parser, slot,
                   [&](int container) { return IsOpenContainer(objects.ObjectFlags[container]); });
  }
}

// Only the first object of a command can be a group: the verb is performed once for each
// of its objects, with the rest of the command as it is.
bool IsFirstObjectWord(const ParserState& parser, int slot) {
  const int first = parser.TokenCodes[1] == kVerbWord ? 2 : 1;
  if (slot < first) return false;
  for (int before = first; before < slot; ++before) {
    if (parser.TokenCodes[before] == kObjectWord) return false;
  }
  return true;
}

// The singulars an Italian plural may have: "piastrine" is a "piastrina", "accumulatori" an
// "accumulatore", "attrezzi" an "attrezzo". A word ending otherwise is no plural.
std::array<std::string, 2> SingularsOf(std::string_view word) {
  if (word.size() < 3) return {};
  const std::string stem(word.substr(0, word.size() - 1));
  if (word.back() == 'e') return {stem + "a", ""};
  if (word.back() == 'i') return {stem + "e", stem + "o"};
  return {};
}

void KeepGroup(ParserState& parser, const ObjectTable& objects, int slot) {
  if (!IsFirstObjectWord(parser, slot)) return;
  const std::array<std::string, 2> singulars = SingularsOf(parser.TokenWords[slot]);
  if (singulars[0].empty()) return;
  const auto isOneOfThem = [&](int object) {
    for (const std::string& singular : singulars) {
      if (!singular.empty() && HasWord(objects.ObjectNouns[object], singular)) return true;
    }
    return false;
  };
  if (KeepCandidates(parser, slot, isOneOfThem) >= 2) parser.TokenNamesGroup[slot] = true;
}

}  // namespace

void SettleCandidates(ParserState& parser, const World& world, int slot) {
  if (!IsUnsettled(parser, slot) || parser.TokenNamesGroup[slot]) return;
  KeepByPreposition(parser, world.objects, slot);
  if (IsUnsettled(parser, slot)) KeepGroup(parser, world.objects, slot);
}

}  // namespace vortila
