#include "rules/turn.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "parser/messages.h"
#include "parser/object_services.h"
#include "parser/recognise_verb.h"
#include "rules/endings.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

constexpr int kQuitVerb = 1;
constexpr int kLookInsideIt = 50;
constexpr int kLookUnderIt = 75;

// Reads a slot's first candidate as an object; anything that is not an object reads as none.
int ObjectInSlot(const ParserState& parser, int slot) {
  const int object = FirstCandidate(parser, slot);
  return object >= 0 && object <= kObjectSlots ? object : 0;
}

// The first slot from `from` on that holds an object in reach, or 0.
int NextObjectSlot(const ParserState& parser, int from) {
  for (int slot = from; slot <= kTokenSlots; ++slot) {
    if (parser.TokenCodes[slot] == kObjectWord) return slot;
  }
  return 0;
}

// The object `object` becomes the first object of the turn.
void TakeAsFirstObject(Rules& rules, int object) {
  TurnVariables& turn = rules.turn;
  turn.FirstObject = object;
  if (object > 0) {
    const GenderAndNumber first = GenderAndNumberOf(rules.world.objects.ObjectFlags[object]);
    turn.FirstObjectFeminine = first.feminine;
    turn.FirstObjectPlural = first.plural;
  }
}

// The verb is slot 1; the first object is the first object word after it, the second object
// the next one. Both become the referents of their pronouns, the first object last so that
// it wins when both would take the same pronoun.
void TakeCommandApart(Rules& rules) {
  ParserState& parser = rules.parser;
  TurnVariables& turn = rules.turn;
  const ObjectTable& objects = rules.world.objects;
  turn.CurrentVerb = FirstCandidate(parser, 1);
  const int firstSlot = NextObjectSlot(parser, 2);
  const int secondSlot = firstSlot > 0 ? NextObjectSlot(parser, firstSlot + 1) : 0;
  // A missing slot reads as slot 0, whose candidates are all none.
  parser.TokenValues[0].fill(0);
  TakeAsFirstObject(rules, ObjectInSlot(parser, firstSlot));
  turn.SecondObject = ObjectInSlot(parser, secondSlot);
  if (turn.SecondObject > 0) {
    const GenderAndNumber second = GenderAndNumberOf(objects.ObjectFlags[turn.SecondObject]);
    turn.SecondObjectFeminine = second.feminine;
    turn.SecondObjectPlural = second.plural;
    RememberPronoun(parser, turn.SecondObject, second);
  }
  if (turn.FirstObject > 0) {
    RememberPronoun(parser, turn.FirstObject, {turn.FirstObjectFeminine, turn.FirstObjectPlural});
  }
}

void Restart(Rules& rules) {
  rules.control.restart();
  rules.world.GameOverState = kRestartMade;
}

void Take(Rules& rules) { TakeObject(rules, rules.world.CurrentRoom); }
void TakeFrom(Rules& rules) { TakeObject(rules, rules.turn.SecondObject); }
void Drop(Rules& rules) { PutObject(rules, rules.world.CurrentRoom); }

void PutOn(Rules& rules) {
  const int second = rules.turn.SecondObject;
  if (IsObject(rules, second, "pavimento")) {
    PutObject(rules, rules.world.CurrentRoom);
  } else if (HasCode(FlagsOf(rules, second), "%S")) {
    PutObject(rules, second);
  } else if (second == 1) {
    Say(rules,
        "Non ho capito bene se vuoi indossare " + TitleOf(rules, rules.turn.FirstObject) + ".");
  } else {
    Say(rules, "Non si può mettere nulla sopra " + TitleOf(rules, second) + ".");
  }
}

void TellReferents(Rules& rules) {
  const ParserState& parser = rules.parser;
  const std::pair<std::string_view, int> referents[] = {
      {"Maschile singolare: ", parser.ReferentMascSingular},
      {"Maschile plurale: ", parser.ReferentMascPlural},
      {"Femminile singolare: ", parser.ReferentFemSingular},
      {"Femminile plurale: ", parser.ReferentFemPlural},
  };
  for (const auto& [label, object] : referents) {
    Say(rules, std::string(label) + TitleOf(rules, std::clamp(object, 0, kObjectSlots)) + ".");
  }
}

void ToggleTranscriptVerb(Rules& rules) { ToggleTranscript(rules.screen); }

void Swear(Rules& rules) {
  const std::string& word = TopicWord(rules);
  Say(rules, word == "sega" || word == "pippa" ? "Vergogna!" : "Boh!");
}

void LookAtPlace(Rules& rules) {
  if (rules.parser.TokenWords[2] == rules.world.objects.ObjectLocation[1]) {
    LookAround(rules);
  } else {
    Say(rules, "Dovresti andarci.");
  }
}

// "guarda dentro" and "guarda sotto" look at the object of the command before.
void LookInsideIt(Rules& rules) {
  rules.turn.FirstObject = rules.turn.PreviousFirstObject;
  LookInside(rules);
}

void LookUnderIt(Rules& rules) {
  rules.turn.FirstObject = rules.turn.PreviousFirstObject;
  LookUnder(rules);
}

// Before any object has been named, "guarda dentro" and "guarda sotto" have nothing to look
// at. They are turned away in the parser's own words, and as the parser turns a command
// away: before it becomes a moment of the story, so that it costs nothing.
bool LooksAtNothingNamedBefore(const Rules& rules) {
  const int verb = rules.turn.CurrentVerb;
  return (verb == kLookInsideIt || verb == kLookUnderIt) && rules.turn.PreviousFirstObject == 0;
}

void PutIntoIt(Rules& rules) {
  rules.turn.SecondObject = rules.turn.PreviousFirstObject;
  PutInto(rules);
}

void TalkAbout(Rules& rules) {
  Say(rules, "Parlare con " + TitleOf(rules, rules.turn.FirstObject) + " di " + TopicWord(rules) +
                 " non ti porta a nessun risultato.");
}

void TalkTo(Rules& rules) {
  Say(rules, "Parlare con " + TitleOf(rules, rules.turn.FirstObject) +
                 " non ti porta a nessun risultato.");
}

void Credits(Rules& rules) { Say(rules, narration::kCredits); }

// Saving or loading under the name of an object is refused, and costs no time.
void RefuseToSaveObject(Rules& rules) {
  Say(rules, "Non puoi salvare " + TitleOf(rules, rules.turn.FirstObject) + ".");
  rules.parser.TurnNotCounted = true;
}

void RefuseToLoadObject(Rules& rules) {
  Say(rules, "Non puoi caricare " + TitleOf(rules, rules.turn.FirstObject) + ".");
  rules.parser.TurnNotCounted = true;
}

void TurnOneWay(Rules& rules) { TurnObject(rules, 1); }
void TurnNoWay(Rules& rules) { TurnObject(rules, 0); }
void TurnOtherWay(Rules& rules) { TurnObject(rules, -1); }

// A plural naming several things ("prendi le piastrine") is the same command for each of
// them in turn; a death or a restart ends the round.
void PerformVerbOnGroup(Rules& rules, int slot) {
  for (const double candidate : rules.parser.TokenValues[slot]) {
    const int object = static_cast<int>(candidate);
    if (object <= 0 || object > kObjectSlots) return;
    TakeAsFirstObject(rules, object);
    RememberPronoun(rules.parser, rules.world.objects, object);
    PerformVerb(rules);
    if (rules.world.GameOverState != 0) return;
  }
}

// "entra" and "entraci" go into the object named last.
void EnterIt(Rules& rules) {
  rules.turn.FirstObject = rules.turn.PreviousFirstObject;
  EnterObject(rules);
}

void GetOutOf(Rules& rules) {
  Say(rules, "Non puoi uscire da " + TitleOf(rules, rules.turn.FirstObject) + ".");
}

// One row of the verb table: the codes it answers, and either a rule to run or a fixed reply.
struct VerbRule {
  using Codes = std::array<int, 4>;
  constexpr VerbRule(Codes codes, void (*action)(Rules&)) : codes(codes), action(action) {}
  constexpr VerbRule(Codes codes, std::string_view reply) : codes(codes), reply(reply) {}

  Codes codes;
  void (*action)(Rules&) = nullptr;
  std::string_view reply;
};

// A code missing from this table does nothing; the turn still ends and the clock still moves.
// Quitting (code 1) is not a rule of the turn: the program ends before the turn does.
constexpr VerbRule kVerbRules[] = {
    {{2}, GiveHelp},
    {{3}, LookAround},
    {{4}, ExamineObject},
    {{5, 108}, LookInside},
    {{6}, TurnOneWay},
    {{7}, TurnNoWay},
    {{8}, "Nessuno ti ascolta."},
    {{9}, BreakObject},
    {{10}, LookUnder},
    {{11}, TouchObject},
    {{12}, TurnOtherWay},
    {{13}, PushObject},
    {{14, 15}, "Sei troppo generico. Specifica l'azione che vuoi compiere."},
    {{16, 100}, EnterObject},
    {{17}, ShowInventory},
    {{18}, ToggleTranscriptVerb},
    {{19}, Restart},
    {{20, 21}, SmellObject},
    {{22, 101}, PullObject},
    {{23}, Take},
    {{24}, Drop},
    {{25}, WearObject},
    {{26}, TakeOffObject},
    {{27}, SwitchOn},
    {{28, 44}, ThrowObject},
    {{29}, SwitchOff},
    {{30}, TakeFrom},
    {{31}, PutOn},
    {{32}, TellReferents},
    {{33}, OpenObject},
    {{34}, CloseObject},
    {{35}, PutInto},
    {{36}, "Non hai appetito!"},
    {{37}, "Non hai sete."},
    {{38}, "Nudista?"},
    {{39, 40, 41, 93}, "Vergogna!!"},
    {{42}, Swear},
    {{43}, TurnOver},
    {{45}, JumpVerb},
    {{46, 102}, "Non è possibile."},
    {{47}, LookAtPlace},
    {{48}, UnfastenObject},
    {{49, 87}, "Nessuno pare interessato."},
    {{50}, LookInsideIt},
    {{51, 52, 56}, PutIntoIt},
    {{53}, UnlockObject},
    {{54}, PressObject},
    {{55}, LockObject},
    {{57, 61, 62, 63}, TalkAbout},
    {{58, 59}, TalkTo},
    {{60, 64, 65}, "Non ottieni risposta."},
    {{66, 67}, JoinObjects},
    {{68}, UseObject},
    {{69, 92}, AttackWith},
    {{70}, Credits},
    {{71}, SaveGame},
    {{72}, "Ripeti indicando un nome del file (es: SALVA PROVA)."},
    {{73}, LoadGame},
    {{74}, "Ripeti indicando un nome del file (es: CARICA PROVA)."},
    {{75}, LookUnderIt},
    {{76, 77}, BreatheVerb},
    {{78, 79, 80}, BlowVerb},
    {{81, 82}, "Non cambierebbe nulla."},
    {{83, 99}, "Non hai tempo da perdere."},
    {{84}, RefuseToSaveObject},
    {{85}, RefuseToLoadObject},
    {{86}, "Con questa tuta addosso non ti riesce possibile."},
    {{88}, "Sembra impossibile uscire da questa vortila!"},
    {{89}, "Non c'è nulla da leggere."},
    {{90}, GetOutOf},
    {{91}, "Non credo sia fattibile."},
    {{94, 95}, "Non accade nulla."},
    {{96, 105}, ListenVerb},
    {{97, 98}, EnterIt},
    // Our own codes, for the ways of saying things that the codes above cannot take: a
    // second pattern for a verb, or a tool in hand that need not be named.
    {{103}, "In questa storia non si contano punti: conta soltanto uscirne vivo."},
    {{104}, ThrustInto},
    {{106, 107}, MoveAwayFromHull},
    {{109}, OpenWithKeyInHand},
    {{110}, CloseWithKeyInHand},
    {{111}, KillWithWeaponInHand},
    {{112}, Crush},
    {{113}, HookOnto},
    {{114}, HookWith},
    {{115}, UseOn},
    {{116}, RemoveObject},
};

constexpr int HighestVerbCode() {
  int highest = 0;
  for (const VerbRule& rule : kVerbRules) {
    for (const int code : rule.codes) highest = std::max(highest, code);
  }
  return highest;
}

// The row of each code, the first that lists it, found once when the program is compiled
// rather than searched for at every turn. Code 0 fills the unused places of a row and is
// never a verb.
constexpr auto kRuleOfCode = [] {
  std::array<const VerbRule*, HighestVerbCode() + 1> rows{};
  for (const VerbRule& rule : kVerbRules) {
    for (const int code : rule.codes) {
      if (code > 0 && rows[code] == nullptr) rows[code] = &rule;
    }
  }
  return rows;
}();

const VerbRule* FindVerbRule(int code) {
  if (code <= 0 || code >= static_cast<int>(kRuleOfCode.size())) return nullptr;
  return kRuleOfCode[code];
}

// The button fills the vessel with air at the temperature the wheel sets: with the helmet
// off, anything but the middle setting kills.
void CheckPressedButton(Rules& rules) {
  World& world = rules.world;
  if (!IsButtonPressed(rules)) return;
  const bool helmetOff = !HasCode(FlagsOf(rules, FindObjectSlot(world.objects, "casco")), "%W");
  if (helmetOff && world.WheelPosition == -1) {
    world.GameOverState = 8;
    world.StoryClock = kClockParked;
  }
  if (helmetOff && world.WheelPosition == 1) {
    world.GameOverState = 9;
    world.StoryClock = kClockParked;
  }
}

void EndTurn(Rules& rules) {
  World& world = rules.world;
  TurnVariables& turn = rules.turn;
  rules.parser.AmbiguityReported = false;
  rules.parser.PreviousVerb = turn.CurrentVerb;
  turn.PreviousFirstObject = turn.FirstObject;
  turn.PreviousSecondObject = turn.SecondObject;
  // The one update of the label for all the turn took, dropped, put on or took off.
  UpdateInventory(world, rules.screen);
  CheckPressedButton(rules);
  RunTimedEvents(rules);
  if (world.GameOverState > 0) ShowEnding(rules, world.GameOverState);
}

}  // namespace

void PerformVerb(Rules& rules) {
  const VerbRule* rule = FindVerbRule(rules.turn.CurrentVerb);
  if (rule == nullptr) return;
  if (rule->action != nullptr) {
    rule->action(rules);
  } else {
    Say(rules, rule->reply);
  }
}

void RunTurn(Rules& rules) {
  TakeCommandApart(rules);
  if (LooksAtNothingNamedBefore(rules)) {
    ParserMessage(rules.parser, rules.screen, kNotClear);
    rules.parser.TurnNotCounted = true;
    return;
  }
  // After an ambiguity question the verb waits for the answer, but the turn still passes.
  if (!rules.parser.AmbiguityReported) {
    if (rules.turn.CurrentVerb == kQuitVerb) {
      rules.control.quit();
      return;
    }
    const int firstSlot = NextObjectSlot(rules.parser, 2);
    if (firstSlot > 0 && rules.parser.TokenNamesGroup[firstSlot]) {
      PerformVerbOnGroup(rules, firstSlot);
    } else {
      PerformVerb(rules);
    }
  }
  EndTurn(rules);
}

}  // namespace vortila
