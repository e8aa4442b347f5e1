#include <string>

#include "parser/object_services.h"
#include "rules/describe_room.h"
#include "rules/handlers.h"

namespace vortila {

namespace {

// The objects hidden in the niches, by their fixed places in the object table.
constexpr int kLeftNicheFind = 19;
constexpr int kRightNicheFind = 20;

// A niche looked at for the first time shows what it hides.
void RevealNicheContents(Rules& rules, int object) {
  ObjectTable& objects = rules.world.objects;
  const std::pair<std::string_view, int> niches[] = {{kLeftNiche, kLeftNicheFind},
                                                     {kRightNiche, kRightNicheFind}};
  for (const auto& [niche, hidden] : niches) {
    if (IsObject(rules, object, niche) && objects.ObjectLocation[hidden] == kNotYetFound) {
      objects.ObjectLocation.Change(hidden) = niche;
    }
  }
}

// Each state an object shows goes on a line of its own after its description.
void PrintStateLines(Rules& rules, std::string_view flags) {
  const std::pair<std::string_view, std::string_view> states[] = {
      {"%O", "^E' apert"}, {"%o", "^E' chius"}, {"%A", "^E' acces"}, {"%a", "^E' spent"}};
  for (const auto& [code, stem] : states) {
    if (!HasCode(flags, code)) continue;
    PrintOpen(rules.screen, stem);
    PrintOpen(rules.screen, rules.turn.FirstObjectFeminine ? "a." : "o.");
  }
}

// The wheel sets the temperature of the air the button lets in: the porthole shows the
// setting, and the spider's blood takes on its effect.
void PrintWheelSigns(Rules& rules, int object) {
  const int wheel = rules.world.WheelPosition;
  if (IsObject(rules, object, "rotella") && rules.world.objects.ObjectLocation[1] == "vortila2") {
    if (wheel == -1) {
      PrintText(rules.screen,
                "Al centro dell'oblò vedi un triangolo con la punta rivolta verso il basso.");
    }
    if (wheel == 0) PrintText(rules.screen, "Al centro dell'oblò vedi una linea orizzontale.");
    if (wheel == 1) {
      PrintText(rules.screen,
                "Al centro dell'oblò vedi un triangolo con la punta rivolta verso l'alto.");
    }
  }
  if (IsObject(rules, object, "sangue")) {
    if (wheel == 0)
      PrintText(rules.screen, "E' un liquido rosso che va a formare una piccola pozza.");
    if (wheel == 1) PrintText(rules.screen, "E' chiaramente raggrumato.");
    if (wheel == -1) PrintText(rules.screen, "Sembra ghiacciato.");
  }
}

bool HookHangsFromSpider(const Rules& rules) {
  return LocationOf(rules, "gancio") == "ragno_tetto";
}

}  // namespace

void ExamineObject(Rules& rules) {
  ObjectTable& objects = rules.world.objects;
  const int object = rules.turn.FirstObject;
  // The vessel itself, or the room the player is in, is seen by looking around.
  if (IsObject(rules, object, "interno")) {
    LookAround(rules);
    return;
  }
  if (LocationOf(rules, "tasto") == kNowhere && IsObject(rules, object, "cose2")) {
    MoveObject(rules, "tasto", "vortila2");
  }
  if (IsObject(rules, object, "tasto") && IsButtonPressed(rules)) {
    PrintText(rules.screen,
              "Il tasto blu ha smesso di lampeggiare, e dentro di esso non si vede alcuna figura.");
    return;
  }
  RevealNicheContents(rules, object);
  if (IsObject(rules, object, "bruciatura")) {
    MoveObject(rules, kRightNiche, "vortila");
    MoveObject(rules, kLeftNiche, "vortila");
  }
  PrintOpen(rules.screen, objects.ObjectDescription[object]);
  ShowObjectPicture(rules.world, rules.screen, object);
  const std::string& flags = objects.ObjectFlags[object];
  PrintStateLines(rules, flags);
  PrintText(rules.screen, "");
  const std::string& id = objects.ObjectId[object];
  if (HasCode(flags, "%S")) {
    ListContents(rules.parser, objects, rules.screen, "Sopra " + TitleOf(rules, object) + " vedi ",
                 id);
  }
  if (HasCode(flags, "%t"))
    ListContents(rules.parser, objects, rules.screen, "Dentro ci vedi ", id);
  if (IsObject(rules, object, "gancio") && HookHangsFromSpider(rules)) {
    PrintText(rules.screen,
              "Il cavo penzola dal soffitto, poiché il gancio è attaccato ad una delle zampe del "
              "ragno.");
  }
  PrintWheelSigns(rules, object);
}

void LookInside(Rules& rules) {
  ObjectTable& objects = rules.world.objects;
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "rotella")) {
    PrintText(rules.screen, "Non vedi niente. In realtà non è un vero oblò.");
    return;
  }
  RevealNicheContents(rules, object);
  const std::string& flags = objects.ObjectFlags[object];
  if (!HasCode(flags, "%c")) {
    PrintText(rules.screen, "Non puoi guardare dentro " + TitleOf(rules, object) + ".");
    return;
  }
  // A sealed container is as closed as a shut one, unless it can be seen through.
  if ((HasCode(flags, "%o") || HasCode(flags, "%k")) && !HasCode(flags, "%t")) {
    PrintOpen(rules.screen, "Non posso fintanto che " + TitleOf(rules, object) + " è chius");
    PrintOpen(rules.screen, rules.turn.FirstObjectFeminine ? "a.^" : "o.^");
    return;
  }
  if (CountContents(objects, object) == 0) {
    PrintText(rules.screen, "Non c'è niente dentro.");
    return;
  }
  ListContents(rules.parser, objects, rules.screen, "Dentro vedi: ", objects.ObjectId[object]);
}

void LookUnder(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "ragno")) {
    PrintText(rules.screen,
              "Forse la parte inferiore del ragno non è così dura come la parte superiore.");
  } else {
    PrintText(rules.screen, "Non puoi guardare sotto " + TitleOf(rules, object) + ".");
  }
}

void LookAround(Rules& rules) {
  DescribeRoom(rules.world, rules.screen, rules.parser);
  if (HookHangsFromSpider(rules)) {
    PrintText(rules.screen, "Il cavo penzola dal soffitto, agganciato al ragno.");
  }
}

}  // namespace vortila
