#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

// Opening and closing are one move in two directions: a lid's code turns from one state to
// the other, and a lid that names its key in brackets ("%o[chiave]") turns only with it.
struct LidMove {
  std::string_view from;  // the state the lid leaves: "%o" to open, "%O" to close
  std::string_view to;
  std::string_view refusal;  // "Non puoi aprire "
  std::string_view done;     // "Ok, hai aperto "
};

constexpr LidMove kOpening{"%o", "%O", "Non puoi aprire ", "Ok, hai aperto "};
constexpr LidMove kClosing{"%O", "%o", "Non puoi chiudere ", "Ok, hai chiuso "};

// Turns a lid that names its key: only that key, named in the command, turns it; anything
// else, or the bare hands, is refused.
void MoveLidWithKey(Rules& rules, const LidMove& move) {
  const int object = rules.turn.FirstObject;
  const int tool = rules.turn.SecondObject;
  const std::string& flags = FlagsOf(rules, object);
  const std::string_view key = CodeArgument(flags, std::string(move.from) + "[");
  if (tool == 0 || key != rules.world.objects.ObjectId[tool]) {
    PrintOpen(rules.screen, std::string(move.refusal) + TitleOf(rules, object) + " con ");
    PrintText(rules.screen, tool > 0 ? TitleOf(rules, tool) + "." : std::string("le mani."));
    return;
  }
  PrintText(rules.screen,
            std::string(move.done) + TitleOf(rules, object) + " con " + TitleOf(rules, tool) + ".");
  ReplaceFirstCode(ChangeFlags(rules, object), move.from, move.to);
}

// Unlocking and locking need a tool in hand; the refusal says what is missing.
bool HasToolInHand(Rules& rules) {
  const int tool = rules.turn.SecondObject;
  if (tool == 0) {
    PrintText(rules.screen, "Riformula, per favore.");
    return false;
  }
  if (!IsCarried(rules, tool)) {
    PrintText(rules.screen, "Non hai in mano " + TitleOf(rules, tool) + ".");
    return false;
  }
  return true;
}

// The key the lid's `code` names ("%k[chiave]", "%o[chiave]"), when the player holds it
// and the object too; otherwise 0.
int KeyInHand(const Rules& rules, int object, std::string_view code) {
  if (!IsCarried(rules, object)) return 0;
  const std::string_view key = CodeArgument(FlagsOf(rules, object), code);
  if (key.empty()) return 0;
  const int slot = FindObjectSlot(rules.world.objects, key);
  return IsCarried(rules, slot) ? slot : 0;
}

}  // namespace

void OpenObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  const std::string& title = TitleOf(rules, object);
  if (IsObject(rules, object, "cose")) {
    PrintText(rules.screen, "Non trovi un modo per aprire le console. Sono totalmente lisce.");
  } else if (IsAccumulator(rules, object) && !IsCarried(rules, object)) {
    PrintText(rules.screen, "Non hai in mano " + title + ".");
  } else if (IsAccumulator(rules, object) && HasCode(flags, "%k")) {
    PrintText(rules.screen, "Con le sole mani non riesci ad aprire " + title + ".");
  } else if (HasCode(flags, "%O")) {
    PrintGendered(rules, "E' già apert");
  } else if (!HasCode(flags, "%o")) {
    PrintText(rules.screen, "Non puoi aprire " + title + ".");
  } else if (!HasCode(flags, "%o[")) {
    PrintText(rules.screen, "Ok, hai aperto " + title + ".");
    ReplaceFirstCode(ChangeFlags(rules, object), "%o", "%O");
  } else {
    MoveLidWithKey(rules, kOpening);
  }
}

void CloseObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  const std::string& title = TitleOf(rules, object);
  if (HasCode(flags, "%o")) {
    PrintGendered(rules, "E' già chius");
  } else if (!HasCode(flags, "%O")) {
    PrintText(rules.screen, "Non puoi chiudere " + title + ".");
  } else if (!HasCode(flags, "%O[")) {
    PrintText(rules.screen, "Ok, hai chiudo " + title + ".");
    ReplaceFirstCode(ChangeFlags(rules, object), "%O", "%o");
  } else {
    MoveLidWithKey(rules, kClosing);
  }
}

void UnlockObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  if (!HasToolInHand(rules)) return;
  if (HasCode(flags, "%O[")) {
    PrintText(rules.screen, "Non è necessario.");
    return;
  }
  // Any tool in hand breaks an accumulator's seal; only its own key then opens the lid.
  if (IsAccumulator(rules, object)) ReplaceFirstCode(ChangeFlags(rules, object), "%k", "%o");
  if (HasCode(flags, "%o[")) {
    OpenObject(rules);
  } else {
    PrintText(rules.screen, "Non ha senso.");
  }
}

void LockObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  if (!HasToolInHand(rules)) return;
  if (HasCode(flags, "%o[")) {
    PrintText(rules.screen, "Non è necessario.");
  } else if (!HasCode(flags, "%O[")) {
    PrintText(rules.screen, "Non ha senso.");
  } else if (IsAccumulator(rules, object)) {
    CloseObject(rules);
  } else {
    PrintText(rules.screen, "Possibile?:lock qualcosa");
  }
}

void PutInto(Rules& rules) {
  TurnVariables& turn = rules.turn;
  const std::string& flags = FlagsOf(rules, turn.SecondObject);
  if (turn.SecondObject == 0) {
    PrintOpen(rules.screen, "Riformula, grazie!");
  } else if (turn.SecondObject == rules.world.CurrentRoom) {
    // Putting something into the room is dropping it there.
    turn.SecondObject = 0;
    PutObject(rules, rules.world.CurrentRoom);
  } else if (turn.FirstObject == turn.SecondObject) {
    PrintText(rules.screen, narration::kNoConjurer);
  } else if (HasCode(flags, "%c")) {
    if (HasCode(flags, "%o") || HasCode(flags, "%k")) {
      PrintText(rules.screen, "Dovredsti prima aprire " + TitleOf(rules, turn.SecondObject) + ".");
    } else {
      PutObject(rules, turn.SecondObject);
    }
  } else if (turn.SecondObject == 1) {
    PrintText(rules.screen,
              "Non ho capito bene se vuoi mangiare " + TitleOf(rules, turn.FirstObject) + ".");
  } else {
    PrintText(rules.screen,
              "Non si può mettere nulla dentro " + TitleOf(rules, turn.SecondObject) + ".");
  }
}

void OpenWithKeyInHand(Rules& rules) {
  const int object = rules.turn.FirstObject;
  int key = KeyInHand(rules, object, "%k[");
  if (key == 0) key = KeyInHand(rules, object, "%o[");
  if (key == 0) {
    OpenObject(rules);
    return;
  }
  UseToolInHand(rules, key);
  UnlockObject(rules);
}

void CloseWithKeyInHand(Rules& rules) {
  const int key = KeyInHand(rules, rules.turn.FirstObject, "%O[");
  if (key == 0) {
    CloseObject(rules);
    return;
  }
  UseToolInHand(rules, key);
  LockObject(rules);
}

}  // namespace vortila
