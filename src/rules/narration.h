#pragma once

#include <string_view>

// The long passages of the story that the rules print whole: the credits, the knocks from
// outside, the deaths, the helmet and the little spider, the torch, the return of the power,
// the blue button, the two spiders' deaths, the message in the knocks and the escape. They
// are story, not logic, so they live together here where the prose can be revised without
// touching a rule. A '^' is the screen's line break.
namespace vortila::narration {

extern const std::string_view kCredits;

// The knocks from outside, once the helmet has come off for good.
extern const std::string_view kKnocksBegin;
extern const std::string_view kKnocksRepeat;
extern const std::string_view kKnocksStop;

// The death narrations, by ending code.
extern const std::string_view kDeathHelmetOff;      // 1
extern const std::string_view kDeathRocket;         // 2
extern const std::string_view kDeathAsphyxia;       // 3
extern const std::string_view kDeathRandomKeys;     // 4
extern const std::string_view kDeathCeilingSpider;  // 5
extern const std::string_view kDeathSpiderLeg;      // 6
extern const std::string_view kDeathAirSucked;      // 7
extern const std::string_view kDeathFrozen;         // 8
extern const std::string_view kDeathBurned;         // 9
extern const std::string_view kDeathSpiderOnSuit;   // 11
extern const std::string_view kDeathLittleSpider;   // 15
extern const std::string_view kDeathExplosion;      // 16

// The helmet and the little spider.
extern const std::string_view kSpiderJump;
extern const std::string_view kFreshAir;
extern const std::string_view kLittleSpider;
extern const std::string_view kSpiderThoughts;
extern const std::string_view kBrokenHelmet;

extern const std::string_view kTorchLight;

// Putting an object into itself.
extern const std::string_view kNoConjurer;

// The power returns and the room is rebuilt.
extern const std::string_view kPowerReturns;
extern const std::string_view kConsolesAwake;
extern const std::string_view kNichesVanish;
extern const std::string_view kSpiderDiscovered;

// The blue button: the air coming in, and the little spider stunned when it goes out again.
extern const std::string_view kAirInflow;
extern const std::string_view kSpiderlingStunned;
extern const std::string_view kNavigationCode;
extern const std::string_view kBitterThought;

// The little spider killed on the floor.
extern const std::string_view kSpiderlingKilled;
extern const std::string_view kKillerDoubts;
extern const std::string_view kGuardDogs;
extern const std::string_view kTwoMonsters;

// The big spider killed from below. Exactly one of the three blood passages follows the
// drilling, by the wheel's setting, and it has to agree with what examining the blood says.
extern const std::string_view kSpiderDrilled;
extern const std::string_view kRedLiquid;    // wheel at 0
extern const std::string_view kRedFlame;     // wheel at +1
extern const std::string_view kRedCrystals;  // wheel at -1
extern const std::string_view kWasItTheOwner;
extern const std::string_view kWhereFromSpider;
extern const std::string_view kMothership;

// Listening to the knocks: the Morse warning, and the hatch under the consoles.
extern const std::string_view kMorseKnocks;
extern const std::string_view kHatchFound;

// The escape through the hatch, in the order they are told.
extern const std::string_view kEscapeDive;
extern const std::string_view kEscapeCrewBoards;
extern const std::string_view kEscapeItch;
extern const std::string_view kEscapeEggs;
extern const std::string_view kEscapeCrawl;
extern const std::string_view kEscapeCrewMate;

}  // namespace vortila::narration
