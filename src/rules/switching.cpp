#include <string>

#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

// The torch's light is what tells the dark room from the lit one: switching it moves the
// player between them, and shows the other room's picture without describing it.
void MovePlayerTo(Rules& rules, std::string_view room) {
  rules.world.objects.ObjectLocation.Change(1) = room;
  rules.world.CurrentRoom = FindObjectSlot(rules.world.objects, room);
  ShowRoomPicture(rules);
}

}  // namespace

void SwitchOn(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = rules.world.objects.ObjectFlags[object];
  if (IsObject(rules, object, "razzetto")) {
    // Fired in this cramped space, the rocket kills; the ending tells how.
    rules.world.GameOverState = 2;
  } else if (HasCode(flags, "%A")) {
    PrintGendered(rules, "E' già acces");
  } else if (!HasCode(flags, "%a")) {
    PrintText(rules.screen, "Non puoi accendere " + TitleOf(rules, object) + ".");
  } else {
    PrintText(rules.screen, "Ok, hai acceso " + TitleOf(rules, object) + ".");
    ReplaceFirstCode(rules.world.objects.ObjectFlags.Change(object), "%a", "%A");
    if (IsObject(rules, object, "torcia") && rules.world.objects.ObjectLocation[1] == "buio") {
      PrintText(rules.screen, narration::kTorchLight);
      MovePlayerTo(rules, "vortila");
    }
  }
}

void SwitchOff(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = rules.world.objects.ObjectFlags[object];
  if (HasCode(flags, "%a")) {
    PrintGendered(rules, "E' già spent");
  } else if (!HasCode(flags, "%A")) {
    PrintText(rules.screen, "Non puoi spegnere " + TitleOf(rules, object) + ".");
  } else {
    PrintText(rules.screen, "Ok, hai spento " + TitleOf(rules, object) + ".");
    ReplaceFirstCode(rules.world.objects.ObjectFlags.Change(object), "%A", "%a");
    if (IsObject(rules, object, "torcia") && rules.world.objects.ObjectLocation[1] == "vortila") {
      PrintText(rules.screen, "Spegni la torcia e non vedi più niente.");
      MovePlayerTo(rules, "buio");
    }
  }
}

}  // namespace vortila
