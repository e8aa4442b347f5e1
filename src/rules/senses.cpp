#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

bool IsAnyOf(const Rules& rules, int object, std::string_view a, std::string_view b) {
  return IsObject(rules, object, a) || IsObject(rules, object, b);
}

// Breathing and blowing answer by what they are aimed at: nothing, the air, or anything else.
std::string_view ReplyByAir(const Rules& rules, std::string_view alone, std::string_view air,
                            std::string_view other) {
  const int object = rules.turn.FirstObject;
  if (object == 0) return alone;
  return IsAnyOf(rules, object, "aria1", "aria2") ? air : other;
}

bool IsWearingHelmet(const Rules& rules) {
  return HasCode(FlagsOf(rules, FindObjectSlot(rules.world.objects, "casco")), "%W");
}

// The knocks from outside can be heard while they last, the two commands after they begin.
bool KnocksCanBeHeard(const Rules& rules) {
  return rules.world.StoryClock == 101 || rules.world.StoryClock == 102;
}

}  // namespace

void SmellObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsWearingHelmet(rules)) {
    Say(rules, "Con il casco in testa senti solo odore di aria viziata.");
  } else if (IsAnyOf(rules, object, "sangue", "ragno_morto")) {
    Say(rules,
        "Emana un odore ripugnante come di pane appena cotto zuppo nell'aceto e nell'urina.");
  } else {
    Say(rules, "Non percepisci nulla di particolare.");
  }
}

void TouchObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsOutOfReach(rules, object)) {
    Say(rules, "Troppo in alto.");
  } else if (object == 1) {
    Say(rules, "Che vuoi dire??");
  } else if (IsAnyOf(rules, object, "ragno2", "ragno")) {
    Say(rules, "E' durissimo, come di pietra.");
  } else if (IsAnyOf(rules, object, "sangue", "ragno_morto")) {
    Say(rules, "Ti rifiuti di farlo, ti fa troppo senso.");
  } else {
    Say(rules, "Non percepisci nulla di strano, toccando " + TitleOf(rules, object) + ".");
  }
}

// Listening to the knocks in time reveals the way out, and starts the last countdown: the
// crew outside will blow the hull open.
void ListenVerb(Rules& rules) {
  if (!KnocksCanBeHeard(rules)) {
    Say(rules, "Non senti nulla.");
    return;
  }
  MoveObject(rules, "sportello", "vortila2");
  rules.world.StoryClock = 200;
  Say(rules, narration::kMorseKnocks);
  Say(rules, narration::kHatchFound);
}

void BreatheVerb(Rules& rules) {
  Say(rules, ReplyByAir(rules, "Naturalmente respiri!", "E' quello che stai facendo!",
                        "Mah! Se vuoi ci provo."));
}

void BlowVerb(Rules& rules) {
  Say(rules, ReplyByAir(rules, "Soffi.", "Soffi forte!", "Non accade nulla."));
}

// Unfastening only means something for the helmet, which comes off.
void UnfastenObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "casco")) {
    TakeOffObject(rules);
  } else if (!HasCode(FlagsOf(rules, object), "%s")) {
    Say(rules, "Non capisco dove vuoi arrivare.");
  } else {
    Say(rules, "Non ti riesce.");
  }
}

// Using only means something for the torch, which is switched on.
void UseObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "torcia")) {
    SwitchOn(rules);
  } else {
    Say(rules, "Fare " + TitleOf(rules, object) + "?");
  }
}

void GiveHelp(Rules& rules) { Say(rules, "Arrangiati."); }

void UseOn(Rules& rules) {
  TurnVariables& turn = rules.turn;
  const int tool = turn.FirstObject;
  if (IsObject(rules, tool, "chiave")) {
    SwapObjects(turn);
    // The key turns a lid the other way from how it stands.
    if (HasCode(FlagsOf(rules, turn.FirstObject), "%O")) {
      LockObject(rules);
    } else {
      UnlockObject(rules);
    }
  } else if (IsObject(rules, tool, "cacciavite")) {
    SwapObjects(turn);
    AttackWith(rules);
  } else if (IsObject(rules, tool, "gancio")) {
    JoinObjects(rules);
  } else {
    UseObject(rules);
  }
}

}  // namespace vortila
