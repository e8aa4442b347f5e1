#include "rules/rules.h"

#include <algorithm>
#include <utility>

#include "parser/object_services.h"

namespace vortila {

void SwapObjects(TurnVariables& turn) {
  std::swap(turn.FirstObject, turn.SecondObject);
  std::swap(turn.FirstObjectFeminine, turn.SecondObjectFeminine);
  std::swap(turn.FirstObjectPlural, turn.SecondObjectPlural);
}

bool IsObject(const Rules& rules, int slot, std::string_view id) {
  return slot > 0 && slot <= kObjectSlots && rules.world.objects.ObjectId[slot] == id;
}

std::string_view LocationOf(const Rules& rules, std::string_view id) {
  const int slot = FindObjectSlot(rules.world.objects, id);
  return slot > 0 ? std::string_view(rules.world.objects.ObjectLocation[slot]) : "";
}

void MoveObject(Rules& rules, std::string_view id, std::string_view place) {
  // Slot 0 stands for "none" everywhere and must stay empty.
  const int slot = FindObjectSlot(rules.world.objects, id);
  if (slot > 0) rules.world.objects.ObjectLocation.Change(slot) = place;
}

bool IsCarried(const Rules& rules, int slot) {
  return slot > 0 && rules.world.objects.ObjectLocation[slot] == kPlayerId;
}

bool IsOutOfReach(const Rules& rules, int slot) {
  return IsObject(rules, slot, "ragno_tetto") || IsObject(rules, slot, "tela");
}

bool IsAccumulator(const Rules& rules, int slot) {
  return IsObject(rules, slot, kLeftAccumulator) || IsObject(rules, slot, kRightAccumulator);
}

bool IsButtonPressed(const Rules& rules) {
  const ObjectTable& objects = rules.world.objects;
  return HasNamedFlag(objects, FindObjectSlot(objects, "tasto"), "premuto");
}

const std::string& TitleOf(const Rules& rules, int slot) {
  return rules.world.objects.ObjectTitle[slot];
}

const std::string& FlagsOf(const Rules& rules, int slot) {
  return rules.world.objects.ObjectFlags[slot];
}

std::string& ChangeFlags(Rules& rules, int slot) {
  return rules.world.objects.ObjectFlags.Change(slot);
}

const std::string& TopicWord(const Rules& rules) {
  const int slot = std::clamp(rules.parser.TopicSlot, 0, kTokenSlots);
  return rules.parser.TokenWords[slot];
}

void UseToolInHand(Rules& rules, int tool) {
  PrintText(rules.screen, "(con " + TitleOf(rules, tool) + ")");
  rules.turn.SecondObject = tool;
}

void Say(Rules& rules, std::string_view text) { PrintText(rules.screen, text); }

void PrintGendered(Rules& rules, std::string_view stem) {
  PrintOpen(rules.screen, stem);
  PrintText(rules.screen, rules.turn.FirstObjectFeminine ? "a." : "o.");
}

void ShowRoomPicture(Rules& rules) {
  ShowObjectPicture(rules.world, rules.screen, rules.world.CurrentRoom);
}

}  // namespace vortila
