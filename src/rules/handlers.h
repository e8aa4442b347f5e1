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

// Switching on and off.
void SwitchOn(Rules& rules);
void SwitchOff(Rules& rules);

// Opening and closing, by hand or with a tool, and putting into a container.
void OpenObject(Rules& rules);
void CloseObject(Rules& rules);
void UnlockObject(Rules& rules);
void LockObject(Rules& rules);
void PutInto(Rules& rules);

}  // namespace vortila
