#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

constexpr std::string_view kAll = "tutto";

bool IsNiche(const Rules& rules, int slot) {
  return IsObject(rules, slot, kLeftNiche) || IsObject(rules, slot, kRightNiche);
}

bool IsPlate(const Rules& rules, int slot) {
  return IsObject(rules, slot, "gialla") || IsObject(rules, slot, "grigia");
}

// Whether `place` is `object` itself or lies inside it, however deep. Putting an object
// there would make it hold itself, so that nothing inside could ever be reached again.
bool LiesWithin(const ObjectTable& objects, int place, int object) {
  // Fifty objects make at most fifty holders in a row; a longer chain has looped.
  for (int step = 0; step <= kObjectSlots && place > 0; ++step) {
    if (place == object) return true;
    place = FindObjectSlot(objects, objects.ObjectLocation[place]);
  }
  return false;
}

// The "%s" of a fixed object may carry its own refusal in brackets.
void RefuseFixedObject(Rules& rules, int object) {
  const std::string& flags = FlagsOf(rules, object);
  const std::size_t fixed = flags.find("%s");
  if (fixed != std::string::npos && fixed + 2 < flags.size() && flags[fixed + 2] == '[') {
    PrintText(rules.screen, ReadBracketText(flags, fixed));
  } else {
    PrintText(rules.screen, "Non puoi prendere " + TitleOf(rules, object) + "!");
  }
}

void TakeEverything(Rules& rules, int source) {
  const ObjectTable& objects = rules.world.objects;
  const int all = rules.turn.FirstObject;
  bool anything = false;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    const std::string& flags = objects.ObjectFlags[slot];
    if (slot == all || HasCode(flags, "%s") || HasCode(flags, "%R")) continue;
    if (objects.ObjectLocation[slot] != objects.ObjectId[source]) continue;
    anything = true;
    rules.turn.FirstObject = slot;
    TakeObject(rules, source);
  }
  if (!anything) PrintText(rules.screen, "Non hai preso niente.");
}

// A niche takes one accumulator, closed; an accumulator takes a plate or the diodes, and
// the diodes share it with nothing. Refuses with the reason, or says yes.
bool FitsItsPlace(Rules& rules) {
  const ObjectTable& objects = rules.world.objects;
  const int object = rules.turn.FirstObject;
  const int place = rules.turn.SecondObject;
  if (IsNiche(rules, place)) {
    if (!IsAccumulator(rules, object)) {
      PrintText(rules.screen, "Dentro la nicchia non ci sta.");
      return false;
    }
    if (CountContents(objects, place) > 0) {
      PrintText(rules.screen, "Nella nicchia c'è già l'altro accumulatore!");
      return false;
    }
    if (HasCode(FlagsOf(rules, object), "%O")) {
      PrintText(rules.screen, "Prima di riporre l'accumulatore devi chiuderlo.");
      return false;
    }
  }
  if (IsAccumulator(rules, place)) {
    const bool isDiodes = IsObject(rules, object, "diodi");
    if (!isDiodes && !IsPlate(rules, object)) {
      PrintText(rules.screen, "Non puoi mettere " + TitleOf(rules, object) + " dentro " +
                                  TitleOf(rules, place) + ".");
      return false;
    }
    const bool diodesInside = LocationOf(rules, "diodi") == objects.ObjectId[place];
    if (CountContents(objects, place) > 0 && (diodesInside || isDiodes)) {
      PrintText(rules.screen, "Non c'è posto per " + TitleOf(rules, object) + " dentro " +
                                  TitleOf(rules, place) + ".");
      return false;
    }
  }
  return true;
}

void PutEverything(Rules& rules, int destination) {
  const ObjectTable& objects = rules.world.objects;
  bool anything = false;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (HasCode(objects.ObjectFlags[slot], "%W") || objects.ObjectLocation[slot] != kPlayerId ||
        objects.ObjectId[slot] == objects.ObjectId[destination]) {
      continue;
    }
    anything = true;
    rules.turn.FirstObject = slot;
    PutObject(rules, destination);
  }
  if (!anything) PrintText(rules.screen, "Non hai posato niente.");
}

void PutOneObject(Rules& rules, int destination) {
  ObjectTable& objects = rules.world.objects;
  const int object = rules.turn.FirstObject;
  const std::string& title = TitleOf(rules, object);
  if (HasCode(FlagsOf(rules, object), "%W")) {
    PrintText(rules.screen, "Non puoi gettare " + title + ", fintanto che l'indossi.");
  } else if (!IsCarried(rules, object)) {
    PrintText(rules.screen, "Non hai in mano " + title + ".");
  } else if (HasCode(FlagsOf(rules, object), "%C") && !HasCode(FlagsOf(rules, destination), "%s")) {
    PrintText(rules.screen, "Non ci entrerà mai " + title + ".");
  } else if (LiesWithin(objects, destination, object)) {
    PrintText(rules.screen,
              "Non puoi mettere " + title + " dentro " + TitleOf(rules, destination) + ".");
  } else {
    const std::string& place = objects.ObjectId[destination];
    // What is dropped in the dark lies in the same room once the torch is lit.
    objects.ObjectLocation.Change(object) = place == "buio" ? "vortila" : place;
    PrintOpen(rules.screen,
              destination == rules.world.CurrentRoom ? "Non hai più " : "Vi hai posato ");
    PrintText(rules.screen, title + ".");
    if (IsPlate(rules, object)) PrintText(rules.screen, "La piastrina si incastra perfettamente.");
  }
}

// The power comes back when each niche holds an accumulator, each accumulator holds one
// thing, and the burnt diodes are in neither. It comes back once: then the niches are gone.
bool PowerCanReturn(const Rules& rules) {
  const ObjectTable& objects = rules.world.objects;
  const std::string_view diodes = LocationOf(rules, "diodi");
  return LocationOf(rules, kLeftNiche) != kNowhere && LocationOf(rules, kRightNiche) != kNowhere &&
         CountObjectsAt(objects, kRightNiche) == 1 && CountObjectsAt(objects, kLeftNiche) == 1 &&
         CountObjectsAt(objects, kRightAccumulator) == 1 &&
         CountObjectsAt(objects, kLeftAccumulator) == 1 && diodes != kLeftAccumulator &&
         diodes != kRightAccumulator;
}

// The vessel wakes: the room becomes the powered one, the smooth walls real consoles, and
// the niches and the burn mark leave the story.
void RestorePower(Rules& rules) {
  ObjectTable& objects = rules.world.objects;
  ShowPicture(rules.screen, "014.pkd");
  for (std::string_view passage : {narration::kPowerReturns, narration::kConsolesAwake,
                                   narration::kNichesVanish, narration::kSpiderDiscovered}) {
    PrintText(rules.screen, passage);
  }
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    const std::string& location = objects.ObjectLocation[slot];
    if (location == "vortila") objects.ObjectLocation.Change(slot) = "vortila2";
    if (location == "cose") objects.ObjectLocation.Change(slot) = "cose2";
  }
  rules.world.CurrentRoom = FindObjectSlot(objects, objects.ObjectLocation[1]);
  // The ceiling the torch could not reach is covered by the web the new light shows.
  for (std::string_view gone :
       {kLeftNiche, std::string_view("bruciatura"), std::string_view("cose"), kRightNiche,
        std::string_view("soffitto")}) {
    MoveObject(rules, gone, kNowhere);
  }
  // However early the power returns, the air the player has left runs out as from here.
  if (rules.world.StoryClock < 34) rules.world.StoryClock = 34;
}

}  // namespace

void TakeObject(Rules& rules, int source) {
  const ObjectTable& objects = rules.world.objects;
  const int object = rules.turn.FirstObject;
  const std::string& title = TitleOf(rules, object);
  const std::string& location = objects.ObjectLocation[object];
  if (object == 0) {
    PrintText(rules.screen, "Non hai preso niente.");
  } else if (IsObject(rules, object, "gancio") && location == "ragno_tetto") {
    PrintText(rules.screen, "Non riesci più a sganciarlo.");
  } else if (object > 2 && source != rules.world.CurrentRoom &&
             location != objects.ObjectId[source]) {
    PrintText(rules.screen, "Non ci vedi " + title + ".");
  } else if (HasCode(FlagsOf(rules, source), "%o") || HasCode(FlagsOf(rules, source), "%k")) {
    PrintText(rules.screen, "Prima dovresti aprire " + TitleOf(rules, source) + ".");
  } else if (IsObject(rules, object, kAll)) {
    TakeEverything(rules, source);
  } else if (IsObject(rules, object, "cassetta")) {
    PrintText(rules.screen, "La cassettà è incorporata alla tuta.");
  } else if (location == kPlayerId) {
    PrintText(rules.screen, "Non vedi che hai già " + title + "?");
  } else if (object == rules.world.CurrentRoom) {
    PrintText(rules.screen, "Fantascienza!");
  } else if (HasCode(FlagsOf(rules, object), "%s") ||
             (rules.turn.SecondObject > 0 && location != objects.ObjectId[source])) {
    RefuseFixedObject(rules, object);
  } else {
    PrintText(rules.screen, "Hai preso " + title + ".");
    rules.world.objects.ObjectLocation.Change(object) = kPlayerId;
    // Once taken, an object is no longer shown by a sentence of its own where it lay.
    ReplaceFirstCode(rules.world.objects.ObjectFlags.Change(object), "%i", "$i");
  }
}

void PutObject(Rules& rules, int destination) {
  const int object = rules.turn.FirstObject;
  if (object == 0) {
    PrintText(rules.screen, "Non hai posato niente.");
    return;
  }
  if (IsObject(rules, object, "cassetta")) {
    PrintText(rules.screen, "La cassetta non può essere separata dalla tuta.");
    return;
  }
  if (!FitsItsPlace(rules)) return;
  if (IsObject(rules, object, kAll)) {
    PutEverything(rules, destination);
  } else {
    PutOneObject(rules, destination);
  }
  if (IsNiche(rules, rules.turn.SecondObject) && PowerCanReturn(rules)) RestorePower(rules);
}

}  // namespace vortila
