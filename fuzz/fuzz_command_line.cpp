#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/startup.h"
#include "game_in_play.h"

// Any bytes as lines typed into the command box of a game whose introduction has been read,
// Enter pressed after each and every held page turned. A line may name a saved game by any
// path: the game writes only in the fuzzer's own folder all the same (sandbox.h).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vortila::fuzz::GameInPlay started;
  started.sandbox().Confine();
  {
    // Made and dropped within the input, so that the input leaves nothing behind.
    std::optional<vortila::fuzz::Play> play;
    play.emplace(started.folders());
    started.CopyInto(*play);
    vortila::fuzz::TypeLines(*play, std::string_view(reinterpret_cast<const char*>(data), size));
  }
  started.sandbox().Release(vortila::kSettingsFileName);
  return 0;
}
