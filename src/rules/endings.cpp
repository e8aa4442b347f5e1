#include "rules/endings.h"

#include <algorithm>
#include <iterator>

#include "rules/narration.h"

namespace vortila {

namespace {

constexpr int kKeepClock = -1;

// What happens when the clock stands at a value: a text, an ending, a new clock value, in
// that order; each part may be missing.
struct TimedEvent {
  int clock;
  std::string_view text;
  int ending = 0;
  int newClock = kKeepClock;
};

// The clock runs from 6 at the first turn: the air in the suit runs out by 80, the little
// spider crawls from 83, the knocks come from 100, the explosion waits at 104 and 203.
const TimedEvent kTimedEvents[] = {
    {7, "^Ti avvedi che la tua tuta spaziale ha ancora pochissima aria."},
    {15, "^Ti rendi conto che hai sempre meno aria nella tuta."},
    {25, "^Hai l'aria agli sgoccioli."},
    {30, "^Incominci a notare che l'aria nella tuta è sempre più pesante."},
    {35, "^L'ossigeno nella tuta è quasi finito."},
    {40, "^Se non trovi in fretta dell'ossigeno, finirai asfissiato."},
    {47, "^Ormai non hai quasi più aria nella tuta."},
    {56, "^Hai ancora pochissimi minuti d'aria."},
    {69, "^Santo cielo, non hai quasi più aria!"},
    {72, "^L'ossigeno nella tuta è praticamente finito."},
    {75, "^Inizia a mancarti l'aria."},
    {77, "^Inizia a girarti la testa. Non hai più aria nella tuta."},
    {78, "^Hai finito l'aria... stai perdendo i sensi."},
    {79, "^Non hai più la forza per fare altro... stai cadendo in asfissia."},
    {80, "", 3},
    // Parked: with the step that follows, the clock stays where it is.
    {kClockParked, "", 0, kClockParked - 1},
    {83, "Il ragnetto si muove veloce sul pavimento."},
    {84, "Il ragnetto si muove ancora e si fa sempre più vicino."},
    {85, "", 15},
    // The helmet back on: the last minute of air, from the warning at 75 to the end at 80.
    {90, "Devi fare in fretta! Dentro al casco adesso ora ci sarà aria per un minuto solamente.", 0,
     74},
    {100, narration::kKnocksBegin},
    {101, narration::kKnocksRepeat},
    {103, narration::kKnocksStop},
    {104, "", 16},
    {203, "", 16},
};

struct Ending {
  int code;
  std::string_view narration;
};

const Ending kDeaths[] = {
    {1, narration::kDeathHelmetOff},     {2, narration::kDeathRocket},
    {3, narration::kDeathAsphyxia},      {4, narration::kDeathRandomKeys},
    {5, narration::kDeathCeilingSpider}, {6, narration::kDeathSpiderLeg},
    {7, narration::kDeathAirSucked},     {8, narration::kDeathFrozen},
    {9, narration::kDeathBurned},        {11, narration::kDeathSpiderOnSuit},
    {15, narration::kDeathLittleSpider}, {16, narration::kDeathExplosion},
};

constexpr std::string_view kDeathLine = "^^           **** SEI MORTO !! ****^^^";
constexpr std::string_view kVictoryLine =
    "^^^^^      Il gioco è FINITO!^^^     Si può dire che.. HAI VINTO!!!!!^^^";
constexpr std::string_view kRestartOrQuit = "Vuoi RICOMINCIARE o FINIRE?";

}  // namespace

void RunTimedEvents(Rules& rules) {
  World& world = rules.world;
  // A command that takes no time (a save, a load, a refusal) lets nothing happen meanwhile:
  // no warning printed twice, and no death brought by saving on the last breath.
  if (rules.parser.TurnNotCounted) return;
  const auto event = std::find_if(std::begin(kTimedEvents), std::end(kTimedEvents),
                                  [&](const TimedEvent& e) { return e.clock == world.StoryClock; });
  if (event != std::end(kTimedEvents)) {
    if (!event->text.empty()) PrintText(rules.screen, event->text);
    if (event->ending != 0) world.GameOverState = event->ending;
    if (event->newClock != kKeepClock) world.StoryClock = event->newClock;
  }
  ++world.StoryClock;
}

void ShowEnding(Rules& rules, int& code) {
  const auto death = std::find_if(std::begin(kDeaths), std::end(kDeaths),
                                  [&](const Ending& e) { return e.code == code; });
  if (death != std::end(kDeaths)) PrintText(rules.screen, death->narration);
  if (code < kRestartMade) {
    PrintText(rules.screen, kDeathLine);
    PrintText(rules.screen, kRestartOrQuit);
    ShowPicture(rules.screen, "016.pkd");
    rules.window.SetTextInput("");
  }
  if (code == kVictoryPending) {
    PrintText(rules.screen, kVictoryLine);
    PrintText(rules.screen, kRestartOrQuit);
    code = kVictoryShown;
  }
}

}  // namespace vortila
