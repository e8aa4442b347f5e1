#include <algorithm>
#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

bool PlayerIsIn(const Rules& rules, std::string_view room) {
  return rules.world.objects.ObjectLocation[1] == room;
}

bool IsIn(const Rules& rules, std::string_view id, std::string_view room) {
  return !room.empty() && LocationOf(rules, id) == room;
}

// The porthole shows the wheel's setting: a triangle pointing down or up at the ends, a flat
// line in the middle.
std::string_view PortholeChange(int position) {
  if (position < 0) {
    return "Ruoti la rotella e noti che la line in mezzo all'oblò diventa lentamente un "
           "triangolo con la punta rivolta verso il basso.";
  }
  if (position > 0) {
    return "Ruoti la rotella e noti che la line in mezzo all'oblò diventa lentamente un "
           "triangolo con la punta rivolta verso l'alto.";
  }
  return "Ruoti la rotella e noti che il triangolo in mezzo all'oblò diventa lentamente una "
         "linea orizzontale.";
}

// The wheel only has a say once the power is back; before that it turns to no effect.
int TurnWheel(Rules& rules, int direction) {
  const int position = rules.world.WheelPosition;
  if (direction == 0) {
    Say(rules, "Puoi girare sia a destra che a sinistra.");
    return position;
  }
  if (PlayerIsIn(rules, "vortila")) {
    Say(rules, "Che delusione: non accade nulla!");
    return position;
  }
  return std::clamp(position + direction, -1, 1);
}

// Air let in at the wheel's temperature wakes whatever spider is in the room.
void LetAirIn(Rules& rules) {
  World& world = rules.world;
  Say(rules, narration::kAirInflow);
  if (IsIn(rules, "ragno_tetto", "vortila2")) world.GameOverState = 5;
  if (IsIn(rules, "ragno", "vortila2")) world.GameOverState = 6;
  if (IsIn(rules, "ragnetto3", "vortila2")) {
    MoveObject(rules, "ragnetto3", kNotYetFound);
    MoveObject(rules, "ragnetto2", "vortila2");
    Say(rules, "Il ragnetto si risveglia! Ricomincia a muoversi sul tuo corpo!!");
  }
}

// Without the helmet, the air going out takes the player's breath with it.
void LetAirOut(Rules& rules) {
  const int helmet = FindObjectSlot(rules.world.objects, "casco");
  if (!HasCode(FlagsOf(rules, helmet), "%W")) {
    rules.world.GameOverState = 7;
    return;
  }
  Say(rules, "Percepisci la pressione esterna venir meno velocemente.");
  if (IsIn(rules, "ragnetto2", "vortila2")) {
    MoveObject(rules, "ragnetto2", "--");
    MoveObject(rules, "ragnetto3", "vortila2");
    Say(rules, narration::kSpiderlingStunned);
    Say(rules, narration::kNavigationCode);
    Say(rules, narration::kBitterThought);
  }
}

void PressButton(Rules& rules, int button) {
  ToggleNamedFlag(rules.world.objects, button, "premuto");
  if (IsButtonPressed(rules)) {
    LetAirIn(rules);
  } else {
    LetAirOut(rules);
  }
}

}  // namespace

void TurnSpiderOver(Rules& rules) {
  const bool upright = IsObject(rules, rules.turn.FirstObject, "ragno");
  const std::string_view from = upright ? "ragno" : "ragno2";
  const std::string_view to = upright ? "ragno2" : "ragno";
  MoveObject(rules, to, rules.world.objects.ObjectLocation[1]);
  MoveObject(rules, from, kNowhere);
  Say(rules, "Con un po' di sforzo e una certa ripugnanza rigiri il ragno su se stesso.");
  rules.parser.ReferentMascSingular = FindObjectSlot(rules.world.objects, to);
}

void TurnObject(Rules& rules, int direction) {
  World& world = rules.world;
  const int object = rules.turn.FirstObject;
  int position = world.WheelPosition;
  if (!HasCode(FlagsOf(rules, object), "%s")) {
    Say(rules, "Non capisco dove vuoi arrivare.");
    return;
  }
  if (IsOutOfReach(rules, object)) {
    Say(rules, "Troppo in alto.");
  } else if (IsObject(rules, object, "ragno") || IsObject(rules, object, "ragno2")) {
    TurnSpiderOver(rules);
  } else if (object == 1) {
    Say(rules, "Ti volti ma non scopri nulla di nuovo.");
  } else if (!IsObject(rules, object, "rotella")) {
    Say(rules, "Non riesci!");
  } else {
    position = TurnWheel(rules, direction);
  }
  if (!PlayerIsIn(rules, "vortila2") || direction == 0) return;
  if (position != world.WheelPosition) {
    world.WheelPosition = position;
    Say(rules, PortholeChange(position));
  } else if (IsObject(rules, object, "rotella")) {
    Say(rules, "Apparentemente non accade nulla.");
  }
}

void PressObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "ragnetto")) {
    Say(rules,
        "Tenti di calpestarlo o di schiacciarlo in qualche modo ma la bestia si muove troppo "
        "velocemente.");
  } else if (IsOutOfReach(rules, object)) {
    Say(rules, "Troppo in alto.");
  } else if (IsObject(rules, object, "cose2")) {
    // The ending tells what the consoles do to someone who presses at random.
    rules.world.GameOverState = 4;
  } else if (IsObject(rules, object, "sportello")) {
    OpenObject(rules);
  } else if (!IsObject(rules, object, "tasto")) {
    Say(rules, "Non accade nulla.");
  } else {
    PressButton(rules, object);
  }
}

void PushObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsOutOfReach(rules, object)) {
    Say(rules, "Troppo in alto.");
  } else if (!HasCode(FlagsOf(rules, object), "%s")) {
    Say(rules, "Non accade nulla.");
  } else if (IsObject(rules, object, "sportello")) {
    OpenObject(rules);
  } else {
    Say(rules, "Non ti riesce di spingere " + TitleOf(rules, object) + ".");
  }
}

}  // namespace vortila
