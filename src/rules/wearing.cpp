#include <string>

#include "parser/object_services.h"
#include "rules/endings.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

// The clock values that start the helmet's threads.
constexpr int kLastMinuteOfAir = 90;
constexpr int kLittleSpiderCrawls = 83;
constexpr int kKnocksBegin = 100;
constexpr int kAirRunsOut = 80;

// Putting the helmet on shuts the player in with the little air left in the suit; if the
// little spider is loose on the floor, it jumps onto the suit just as the helmet closes.
void PutHelmetOn(Rules& rules) {
  rules.world.StoryClock = kLastMinuteOfAir;
  MoveObject(rules, "aria2", kNowhere);
  MoveObject(rules, "aria1", "casco");
  if (LocationOf(rules, "ragnetto") == "vortila2") {
    MoveObject(rules, "ragnetto", "nn");
    MoveObject(rules, "ragnetto2", "vortila2");
    PrintText(rules.screen, narration::kSpiderJump);
  }
}

// With the helmet off the player breathes the vessel's air, and meets what lives in it.
void BreatheVesselAir(Rules& rules) {
  World& world = rules.world;
  MoveObject(rules, "aria2", "vortila2");
  MoveObject(rules, "aria1", kNowhere);
  if (LocationOf(rules, "ragnetto") == kNotYetFound) {
    for (std::string_view passage :
         {narration::kFreshAir, narration::kLittleSpider, narration::kSpiderThoughts}) {
      PrintText(rules.screen, passage);
    }
    MoveObject(rules, "ragnetto", "vortila2");
  }
  if (LocationOf(rules, "ragnetto2") == "vortila2") {
    world.GameOverState = 11;
    world.StoryClock = kClockParked;
  }
  if (LocationOf(rules, "ragnetto4") == "vortila2") {
    world.StoryClock = kKnocksBegin;
    PrintText(rules.screen, narration::kBrokenHelmet);
    MoveObject(rules, "casco", kNowhere);
    MoveObject(rules, "casco_rotto", "vortila2");
  }
}

// Without the button's air the vessel has none to breathe. Once it has, the helmet comes
// off for good only while the suit still has air; the wheel's setting decides the rest at
// the end of the turn.
void TakeHelmetOff(Rules& rules) {
  World& world = rules.world;
  if (!IsButtonPressed(rules)) {
    world.GameOverState = 1;
  } else if (world.StoryClock < kAirRunsOut) {
    world.StoryClock = kLittleSpiderCrawls;
    if (world.WheelPosition == 0) BreatheVesselAir(rules);
  }
}

}  // namespace

void WearObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  if (!IsCarried(rules, object)) {
    PrintText(rules.screen, "Prima di indossare qualcosa devi possederla.");
  } else if (HasCode(flags, "%W")) {
    PrintText(rules.screen, "Stai già indossando " + TitleOf(rules, object) + ".");
  } else if (HasCode(flags, "%w")) {
    if (IsObject(rules, object, "casco")) {
      PutHelmetOn(rules);
    } else {
      PrintText(rules.screen, "Ok.");
    }
    ReplaceFirstCode(ChangeFlags(rules, object), "%w", "%W");
  } else {
    PrintText(rules.screen,
              "Non ci provi nemmeno a metterti addosso " + TitleOf(rules, object) + ".");
  }
}

void TakeOffObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  if (IsObject(rules, object, "tutto")) {
    PrintText(rules.screen, "Togliti una cosa alla volta!");
  } else if (IsObject(rules, object, "tuta")) {
    PrintText(rules.screen, "Rimarresti nudo.");
  } else if (!HasCode(flags, "%W")) {
    PrintText(rules.screen, "Non sto indossando " + TitleOf(rules, object) + "!");
  } else {
    if (IsObject(rules, object, "casco")) TakeHelmetOff(rules);
    ReplaceFirstCode(ChangeFlags(rules, object), "%W", "%w");
  }
}

// "togli i diodi" means taking them out: only what is worn, or could be, is taken off.
void RemoveObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string& flags = FlagsOf(rules, object);
  if (HasCode(flags, "%W") || HasCode(flags, "%w") || IsObject(rules, object, "tutto")) {
    TakeOffObject(rules);
  } else {
    TakeObject(rules, rules.world.CurrentRoom);
  }
}

}  // namespace vortila
