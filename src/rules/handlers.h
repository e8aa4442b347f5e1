#pragma once

#include "rules/rules.h"

// The verb handlers. Each one acts on the objects of the turn (rules.turn), answers the
// player in words whatever object it is given, slot 0 included, and changes the world only
// through the tables.
namespace vortila {

// Looking.
void ExamineObject(Rules& rules);
void LookInside(Rules& rules);
void LookUnder(Rules& rules);
void LookAround(Rules& rules);

// Taking the first object from `source` (a slot: the room, or a named holder), and putting
// it down at, into or onto `destination`. Both take "tutto" one object at a time.
void TakeObject(Rules& rules, int source);
void PutObject(Rules& rules, int destination);

void ShowInventory(Rules& rules);

// Wearing.
void WearObject(Rules& rules);
void TakeOffObject(Rules& rules);
// "togli" takes off what is worn, and takes anything else.
void RemoveObject(Rules& rules);

// Switching on and off.
void SwitchOn(Rules& rules);
void SwitchOff(Rules& rules);

// Opening and closing, by hand or with a tool, and putting into a container.
void OpenObject(Rules& rules);
void CloseObject(Rules& rules);
void UnlockObject(Rules& rules);
void LockObject(Rules& rules);
void PutInto(Rules& rules);
// Opening and closing by hand, but with the key in hand when the lid needs it and the
// player holds both: "svita l'accumulatore" is then "svita l'accumulatore con la chiave".
void OpenWithKeyInHand(Rules& rules);
void CloseWithKeyInHand(Rules& rules);

// Turning by +1 or -1 (the two ways) or 0 (no way given), pressing and pushing. Turning the
// big spider over, by either verb, lays it on its back or on its feet again.
void TurnObject(Rules& rules, int direction);
void TurnSpiderOver(Rules& rules);
void PressObject(Rules& rules);
void PushObject(Rules& rules);

// The hook, the web and the spider on the ceiling.
void PullObject(Rules& rules);
void ThrowObject(Rules& rules);
void JoinObjects(Rules& rules);
// "aggancia il ragno": the hook, in hand, is what catches it.
void HookOnto(Rules& rules);
// "aggancia il ragno con il gancio": the same as "aggancia il gancio al ragno".
void HookWith(Rules& rules);

// Violence, and emptying things out.
void AttackWith(Rules& rules);
void BreakObject(Rules& rules);
void TurnOver(Rules& rules);
// "uccidi il ragnetto" with the screwdriver in hand strikes with it; without, by hand.
void KillWithWeaponInHand(Rules& rules);
// "schiaccia" presses a button and crushes a spider.
void Crush(Rules& rules);
// "pianta il cacciavite nel ragno" strikes with it; putting anything into a container is
// putting it in.
void ThrustInto(Rules& rules);

// The way out.
void EnterObject(Rules& rules);
void JumpVerb(Rules& rules);
// The crew's warning, "allontanati dallo scafo": the only shelter is the hatch.
void MoveAwayFromHull(Rules& rules);

// The senses and the small verbs.
void SmellObject(Rules& rules);
void TouchObject(Rules& rules);
void ListenVerb(Rules& rules);
void BreatheVerb(Rules& rules);
void BlowVerb(Rules& rules);
void UnfastenObject(Rules& rules);
void UseObject(Rules& rules);
// "usa la chiave sull'accumulatore": each tool does on its object what it is for.
void UseOn(Rules& rules);
void GiveHelp(Rules& rules);

// Saving and loading under the name the command gives; neither costs any time.
void SaveGame(Rules& rules);
void LoadGame(Rules& rules);

}  // namespace vortila
