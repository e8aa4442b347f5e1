#include "rules/endings.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

void EnterObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (!IsObject(rules, object, "sportello")) {
    Say(rules, "Non sono sicuro di aver capito bene!");
    // A reply that says the command was not understood costs no time, as the parser's own
    // refusals cost none: in the last countdown it must not bring the explosion closer.
    rules.parser.TurnNotCounted = true;
    return;
  }
  if (!HasCode(FlagsOf(rules, object), "%O")) {
    Say(rules, "Sbatti contro uno sportello chiuso.");
    return;
  }
  ShowPicture(rules.screen, "013.pkd");
  for (std::string_view passage :
       {narration::kEscapeDive, narration::kEscapeCrewBoards, narration::kEscapeItch,
        narration::kEscapeEggs, narration::kEscapeCrawl, narration::kEscapeCrewMate}) {
    Say(rules, passage);
  }
  // The victory is told at the end of this command, and its picture shown on the next Enter.
  rules.world.GameOverState = kVictoryPending;
  rules.world.StoryClock = kVictoryPending;
  rules.window.SetTextInput("");
}

void JumpVerb(Rules& rules) {
  const std::string& room = rules.world.objects.ObjectLocation[1];
  if (room == "buio" || room == "vortila") {
    Say(rules,
        "In quest'oscurità tieni bene i piedi per terra che è meglio, altrimenti finiresti per "
        "non capire più qual'è il soffito e quale il pavimento.");
  } else {
    Say(rules, "Fai un piccolo salto sul posto.");
  }
}

void MoveAwayFromHull(Rules& rules) {
  const int hatch = FindObjectSlot(rules.world.objects, "sportello");
  if (LocationOf(rules, "sportello") != rules.world.objects.ObjectLocation[1]) {
    Say(rules,
        "Lo scafo ti circonda da ogni parte: qui dentro non c'è un punto che ne sia lontano.");
  } else if (HasCode(FlagsOf(rules, hatch), "%O")) {
    rules.turn.FirstObject = hatch;
    EnterObject(rules);
  } else {
    Say(rules, "L'unico riparo lontano dallo scafo è lo sportello sotto le console, ma è chiuso.");
  }
}

}  // namespace vortila
