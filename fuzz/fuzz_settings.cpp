#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/startup.h"
#include "world/files.h"

// Any bytes as iniziale.ini, read as the game reads it: two numbers, or nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto settings = vortila::ReadWindowSettings(
      vortila::TextOfFile(std::string(reinterpret_cast<const char*>(data), size)));
  // The window is never given a value that is not a number.
  if (settings && !(std::isfinite(settings->first) && std::isfinite(settings->second))) {
    __builtin_trap();
  }
  return 0;
}
