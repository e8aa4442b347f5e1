#pragma once

#include <string_view>

// The long passages of the story that the rules print whole: the credits, the knocks from
// outside, the deaths, the helmet and the little spider, the torch, and the return of the
// power. They are story, not logic, so they live together here where the prose can be
// revised without touching a rule. A '^' is the screen's line break.
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

}  // namespace vortila::narration
