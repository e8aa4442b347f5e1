#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "rules/narration.h"

namespace vortila {

namespace {

// A reply that several objects share, whatever else the command says.
struct FixedReply {
  std::array<std::string_view, 7> ids;
  std::string_view text;
};

constexpr std::string_view kAlreadyBroken = "Sono già parecchio rotti.";
constexpr std::string_view kUnbreakablePorthole = "L'oblò sembra infrangibile.";
constexpr std::string_view kAlreadyDead = "Credo che sia già morto.";
constexpr std::string_view kTooQuickOnSuit =
    "Tenti di acciuffare quella schifosa creatura, me è troppo lesta.";
constexpr std::string_view kMasochism = "Hai un attacco di masochismo?";

const FixedReply kAttackReplies[] = {
    {{"gusci"}, kAlreadyBroken},
    {{"rotella"}, kUnbreakablePorthole},
    {{"tuta", "casco", "torcia", "chiave", "gancio", "cassetta", "cacciavite"},
     "Se distruggi il tuo equipaggiamento finisci in un cul-de-sac!"},
    {{"cose", "cose2"}, "Le apparecchiature sono inaspettatamente durissime!"},
    {{"ragno_morto"}, kAlreadyDead},
    {{"ragnetto2"}, kTooQuickOnSuit},
    {{"ragnetto4"}, "Mi pare già fin troppo morto."},
    {{kPlayerId}, kMasochism},
    {{"ragnetto"},
     "Non riesci assolutamente a colpirlo a prenderlo in nessun modo: si muove troppo "
     "velocemente."},
};

const FixedReply kBreakReplies[] = {
    {{"gusci"}, kAlreadyBroken},
    {{"rotella"}, kUnbreakablePorthole},
    {{"ragno_tetto", "tela"}, "Troppo in alto."},
    {{kPlayerId}, kMasochism},
    {{"ragno_morto"}, kAlreadyDead},
    {{"ragnetto"},
     "Tenti di calpestarlo o di schiacciarlo in qualche modo ma la bestia si muove troppo "
     "velocemente."},
    {{"ragnetto2"}, kTooQuickOnSuit},
    {{"ragnetto3"}, "Il corpo del piccolo ragno è troppo duro per essere scalfico con le mani."},
    {{"ragnetto4"}, "Credo che sia già bellemmorto!"},
    {{"ragno"},
     "Provi a colpire il corpo del ragno in qualche modo, calpestandolo o tirandogli una zampa, "
     "ma questa bestia sembra fatta di pietra durissima."},
    {{kLeftAccumulator, kRightAccumulator}, "Durissimo, non riesci neppure a scalfirlo."},
};

// The fixed reply for this object, or nothing when the object has none.
template <std::size_t N>
std::string_view FixedReplyFor(const Rules& rules, int object, const FixedReply (&replies)[N]) {
  if (object <= 0) return {};
  const std::string& id = rules.world.objects.ObjectId[object];
  // The unused places of a row are empty, and must not match an object without an Id.
  if (id.empty()) return {};
  for (const FixedReply& reply : replies) {
    if (std::find(reply.ids.begin(), reply.ids.end(), id) != reply.ids.end()) return reply.text;
  }
  return {};
}

enum class Weapon { kOther, kScrewdriverOff, kScrewdriverOn };

Weapon WeaponOf(const Rules& rules, int instrument) {
  if (!IsObject(rules, instrument, "cacciavite")) return Weapon::kOther;
  return HasCode(FlagsOf(rules, instrument), "%A") ? Weapon::kScrewdriverOn
                                                   : Weapon::kScrewdriverOff;
}

void SayAll(Rules& rules, std::initializer_list<std::string_view> passages) {
  for (std::string_view passage : passages) Say(rules, passage);
}

void KillSpiderling(Rules& rules) {
  SayAll(rules, {narration::kSpiderlingKilled, narration::kKillerDoubts, narration::kGuardDogs,
                 narration::kTwoMonsters});
  MoveObject(rules, "ragnetto3", "nnn");
  MoveObject(rules, "ragnetto4", "vortila2");
}

// What comes out of the wound depends on the air the wheel lets in: the spider's blood
// boils at the hot setting and freezes at the cold one.
std::string_view WhatFlowsOut(int wheelPosition) {
  if (wheelPosition > 0) return narration::kRedFlame;
  if (wheelPosition < 0) return narration::kRedCrystals;
  return narration::kRedLiquid;
}

void KillSpider(Rules& rules) {
  SayAll(rules, {narration::kSpiderDrilled, WhatFlowsOut(rules.world.WheelPosition),
                 narration::kWasItTheOwner, narration::kWhereFromSpider, narration::kMothership});
  MoveObject(rules, "ragno2", "nnn");
  MoveObject(rules, "ragno_morto", "vortila2");
}

void AttackUprightSpider(Rules& rules, Weapon weapon) {
  if (weapon == Weapon::kOther) {
    Say(rules, "Ti ci vuole altro.");
  } else if (weapon == Weapon::kScrewdriverOn) {
    Say(rules,
        "La corazza del ragnetto è davvero troppo resistente: nemmeno il cacciavite acceso "
        "riesce a scalfirlo.");
  } else {
    Say(rules, "Il cacciavite non intacca minimamente la corazza del ragno.");
  }
}

void AttackStunnedSpiderling(Rules& rules, Weapon weapon) {
  if (weapon == Weapon::kOther) {
    Say(rules, "Non riesci neppure a scalfirlo.");
  } else if (weapon == Weapon::kScrewdriverOff) {
    Say(rules, "Il cacciavite spento non intacca minimamente la corazza del ragno.");
  } else {
    KillSpiderling(rules);
  }
}

// On its back the spider shows its soft belly, which only the running screwdriver pierces.
void AttackSpiderBelly(Rules& rules, Weapon weapon) {
  if (weapon == Weapon::kOther) {
    Say(rules,
        "Anche se il ragno nella parte inferiore non è così coriaceo come sul dorso, non ti "
        "riesce di ferirlo.");
  } else if (weapon == Weapon::kScrewdriverOff) {
    Say(rules, "Il cacciavite intacca leggermente il corpo del ragno, ma non in profondità.");
  } else {
    KillSpider(rules);
  }
}

// Everything loose inside falls to the floor where the player stands; whatever lay inside
// unseen now lies there like anything else dropped.
int EmptyOut(Rules& rules, int container) {
  ObjectTable& objects = rules.world.objects;
  const std::string id = objects.ObjectId[container];
  int fallen = 0;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    if (objects.ObjectLocation[slot] != id || HasCode(objects.ObjectFlags[slot], "%s")) continue;
    objects.ObjectLocation.Change(slot) = objects.ObjectLocation[1];
    ReplaceFirstCode(objects.ObjectFlags.Change(slot), "%i", "$i");
    ++fallen;
  }
  return fallen;
}

// What "schiaccia" crushes rather than presses.
bool IsSpider(const Rules& rules, int object) {
  for (std::string_view id : {"ragno_tetto", "ragno", "ragno2", "ragno_morto", "ragnetto",
                              "ragnetto2", "ragnetto3", "ragnetto4"}) {
    if (IsObject(rules, object, id)) return true;
  }
  return false;
}

}  // namespace

void AttackWith(Rules& rules) {
  const int target = rules.turn.FirstObject;
  const int instrument = rules.turn.SecondObject;
  if (!IsCarried(rules, instrument)) {
    Say(rules, "Non hai " + TitleOf(rules, instrument) + ".");
    return;
  }
  const Weapon weapon = WeaponOf(rules, instrument);
  if (IsObject(rules, target, "ragno_tetto")) {
    Say(rules, "Non puoi raggiungere il ragno utilizzando " + TitleOf(rules, instrument) + ".");
  } else if (IsObject(rules, target, "ragno")) {
    AttackUprightSpider(rules, weapon);
  } else if (IsObject(rules, target, "ragnetto3")) {
    AttackStunnedSpiderling(rules, weapon);
  } else if (IsObject(rules, target, "ragno2")) {
    AttackSpiderBelly(rules, weapon);
  } else if (const std::string_view reply = FixedReplyFor(rules, target, kAttackReplies);
             !reply.empty()) {
    Say(rules, reply);
  } else {
    Say(rules, "Non ottieni quello che speravi.");
  }
}

void BreakObject(Rules& rules) {
  const int object = rules.turn.FirstObject;
  const std::string_view reply = FixedReplyFor(rules, object, kBreakReplies);
  if (!reply.empty()) {
    Say(rules, reply);
  } else {
    Say(rules, "Cerchi di rompere " + TitleOf(rules, object) +
                   " in qualche modo, ma con le sole mani non riesci.");
  }
}

void TurnOver(Rules& rules) {
  const int object = rules.turn.FirstObject;
  if (IsObject(rules, object, "ragno") || IsObject(rules, object, "ragno2")) {
    TurnSpiderOver(rules);
  } else if (IsObject(rules, object, "ragno_morto")) {
    Say(rules, "Ti rifiuti di farlo, ti fa veramente vomitare.");
  } else if (IsObject(rules, object, kLeftNiche) || IsObject(rules, object, kRightNiche)) {
    Say(rules, "Cioè?");
  } else if (!IsCarried(rules, object)) {
    PrintGendered(rules, "Prima devi prenderl");
  } else if (HasCode(FlagsOf(rules, object), "%o") || HasCode(FlagsOf(rules, object), "%k")) {
    // A sealed accumulator is as closed as any lid: what it holds stays inside.
    PrintGendered(rules, "E' chius");
  } else if (EmptyOut(rules, object) > 0) {
    Say(rules, "Qualcosa è caduto!");
  } else {
    Say(rules, "Non è uscito nulla!");
  }
}

void KillWithWeaponInHand(Rules& rules) {
  const int screwdriver = FindObjectSlot(rules.world.objects, "cacciavite");
  if (!IsCarried(rules, screwdriver)) {
    BreakObject(rules);
    return;
  }
  UseToolInHand(rules, screwdriver);
  AttackWith(rules);
}

void Crush(Rules& rules) {
  if (IsSpider(rules, rules.turn.FirstObject)) {
    BreakObject(rules);
  } else {
    PressObject(rules);
  }
}

void ThrustInto(Rules& rules) {
  TurnVariables& turn = rules.turn;
  if (!IsObject(rules, turn.FirstObject, "cacciavite") ||
      HasCode(FlagsOf(rules, turn.SecondObject), "%c")) {
    PutInto(rules);
    return;
  }
  SwapObjects(turn);
  AttackWith(rules);
}

}  // namespace vortila
