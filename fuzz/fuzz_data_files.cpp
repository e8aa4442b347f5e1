#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "screen/screen.h"
#include "world/data_files.h"
#include "world/files.h"

// Any bytes as any file of the data folder, read as the game reads it: the loaders either
// fill the table or stop with a StartupError, and never read or write outside the text or
// the tables.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text =
      vortila::TextOfFile(std::string(reinterpret_cast<const char*>(data), size));
  try {
    vortila::ObjectTable objects;
    vortila::ReadObjects(objects, text, "000.pkd");
  } catch (const vortila::StartupError&) {
  }
  try {
    vortila::VerbTable verbs;
    vortila::ReadVerbs(verbs, text, "010.pkd");
  } catch (const vortila::StartupError&) {
  }
  vortila::ReadPictureDescriptions(text);
  return 0;
}
