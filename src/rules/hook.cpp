#include <string>

#include "rules/handlers.h"

namespace vortila {

namespace {

constexpr std::string_view kHookCaught =
    "Con un lancio preciso, attacchi il gancio ad una delle zampe del ragno. Ora il cavo penzola "
    "dal soffitto.";
constexpr std::string_view kWebTooSlippery =
    "Non riesci ad agganciare la tela, è troppo sfuggevole.";

bool HangsFromSpider(const Rules& rules, int object) {
  return IsObject(rules, object, "gancio") &&
         rules.world.objects.ObjectLocation[object] == "ragno_tetto";
}

// Once the spider is down the web is empty, and the room's picture says so from now on:
// the room carries both pictures, and the code of the one set aside is switched off.
void ShowEmptyWeb(Rules& rules) {
  ObjectTable& objects = rules.world.objects;
  std::string& flags = objects.ObjectFlags.Change(FindObjectSlot(objects, "vortila2"));
  ReplaceFirstCode(flags, "%I[011.pkd]", "$I[011.pkd]");
  ReplaceFirstCode(flags, "$I[012.pkd]", "%I[012.pkd]");
  ShowRoomPicture(rules);
}

// Whatever is thrown and does not catch on anything falls to the floor of the room.
void LetFall(Rules& rules) { PutObject(rules, rules.world.CurrentRoom); }

bool RefuseUnlessCarried(Rules& rules, int object) {
  if (IsCarried(rules, object)) return false;
  Say(rules, "Non hai " + TitleOf(rules, object) + ".");
  return true;
}

}  // namespace

void PullObject(Rules& rules) {
  // The cable that hangs from the spider is what a pull on the spider takes hold of.
  const int hook = FindObjectSlot(rules.world.objects, "gancio");
  if (IsObject(rules, rules.turn.FirstObject, "ragno_tetto") && HangsFromSpider(rules, hook)) {
    rules.turn.FirstObject = hook;
  }
  const int object = rules.turn.FirstObject;
  if (IsOutOfReach(rules, object)) {
    Say(rules, "Troppo in alto.");
  } else if (IsObject(rules, object, "cose2")) {
    // The ending tells what the levers do to someone who pulls them at random.
    rules.world.GameOverState = 4;
  } else if (HangsFromSpider(rules, object)) {
    MoveObject(rules, "gancio", "vortila2");
    MoveObject(rules, "ragno_tetto", kNowhere);
    MoveObject(rules, "ragno", "vortila2");
    Say(rules,
        "Tiri con quanta forza ti rimane, e riesci a far precipitare il ragno al suolo senza "
        "fartelo cadere in testa.");
    ShowEmptyWeb(rules);
  } else if (IsObject(rules, object, "gancio") && IsCarried(rules, object)) {
    // The hook's line is the cable on the suit's winch: pulling or reeling it in while the
    // hook is in hand has nothing to bring back, and must not leave the hook on the floor
    // as pulling anything else that is carried does.
    Say(rules, "Il cavo è già tutto riavvolto sul verricello della tuta, e il gancio ce l'hai "
               "in mano.");
  } else if (object > 0 && !HasCode(FlagsOf(rules, object), "%s")) {
    LetFall(rules);
  } else if (IsObject(rules, object, "sportello")) {
    OpenObject(rules);
  } else {
    Say(rules, "Non accade nulla.");
  }
}

void ThrowObject(Rules& rules) {
  TurnVariables& turn = rules.turn;
  const int target = turn.SecondObject;
  if (RefuseUnlessCarried(rules, turn.FirstObject)) return;
  if (target > 0 && IsCarried(rules, target)) {
    Say(rules, "Sinceramente non capisco dove vuoi arrivare.");
  } else if (target > 0 && IsObject(rules, turn.FirstObject, "gancio") &&
             IsObject(rules, target, "tela")) {
    Say(rules, kWebTooSlippery);
    LetFall(rules);
  } else if (target > 0 && IsObject(rules, turn.FirstObject, "gancio") &&
             IsObject(rules, target, "ragno_tetto")) {
    Say(rules, kHookCaught);
    MoveObject(rules, "gancio", "ragno_tetto");
    // The hook stays up there, and nothing of this command is left to point back to.
    turn.FirstObject = 0;
  } else {
    LetFall(rules);
  }
}

void JoinObjects(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const int other = rules.turn.SecondObject;
  if (RefuseUnlessCarried(rules, object)) return;
  if (!IsObject(rules, object, "gancio")) {
    Say(rules, "Non puoi unire " + TitleOf(rules, object) + " con " + TitleOf(rules, other) + ".");
  } else if (IsObject(rules, other, "tela")) {
    Say(rules, kWebTooSlippery);
  } else if (!IsObject(rules, other, "ragno_tetto")) {
    Say(rules, "Non trovi un modo per unire " + TitleOf(rules, other) + " al gancio.");
  } else {
    Say(rules, kHookCaught);
    MoveObject(rules, "gancio", "ragno_tetto");
  }
}

void HookOnto(Rules& rules) {
  TurnVariables& turn = rules.turn;
  turn.SecondObject = turn.FirstObject;
  turn.FirstObject = FindObjectSlot(rules.world.objects, "gancio");
  JoinObjects(rules);
}

void HookWith(Rules& rules) {
  TurnVariables& turn = rules.turn;
  if (IsObject(rules, turn.SecondObject, "gancio") &&
      !IsObject(rules, turn.FirstObject, "gancio")) {
    SwapObjects(turn);
  }
  JoinObjects(rules);
}

}  // namespace vortila
