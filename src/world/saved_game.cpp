#include "world/saved_game.h"

#include <charconv>
#include <cstdint>
#include <system_error>

#include "world/files.h"
#include "world/item_reader.h"

namespace vortila {

namespace {

constexpr std::string_view kExtension = ".sav";
constexpr std::string_view kLineEnd = "\r\n";

// A saved game is a few kilobytes; anything far larger is not one, and is refused before it
// is read into memory.
constexpr std::uintmax_t kLargestSavedGame = 1 << 20;

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A whole item as a decimal integer within [low, high]; blanks around it are allowed.
std::optional<int> ReadNumber(ItemReader& reader, int low, int high) {
  const std::optional<std::string> item = reader.ReadItem();
  if (!item) return std::nullopt;
  const std::string_view text = TrimBlanks(*item);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<SavedGame> ReadSavedGame(ItemReader& reader) {
  SavedGame saved;
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    std::optional<std::string> location = reader.ReadItem();
    std::optional<std::string> flags = reader.ReadItem();
    if (!location || !flags) return std::nullopt;
    saved.locations[slot] = std::move(*location);
    saved.flags[slot] = std::move(*flags);
  }
  const std::optional<int> clock = ReadNumber(reader, -32768, 32767);
  const std::optional<int> wheel = ReadNumber(reader, -1, 1);
  const std::optional<int> room = ReadNumber(reader, 1, kObjectSlots);
  if (!clock || !wheel || !room || !reader.AtEnd()) return std::nullopt;
  saved.StoryClock = *clock;
  saved.WheelPosition = *wheel;
  saved.CurrentRoom = *room;
  return saved;
}

}  // namespace

std::string SavedGameFileName(std::string_view word) {
  std::string name(word);
  if (!name.ends_with(kExtension)) name += kExtension;
  return name;
}

std::string SavedGameText(const World& world) {
  std::string text;
  const auto line = [&text](std::string_view part) {
    text += part;
    text += kLineEnd;
  };
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    line(world.objects.ObjectLocation[slot]);
    line('"' + world.objects.ObjectFlags[slot] + '"');
  }
  line(std::to_string(world.StoryClock));
  line(std::to_string(world.WheelPosition));
  line(std::to_string(world.CurrentRoom));
  return text;
}

std::optional<SavedGame> ParseSavedGame(std::string_view text) {
  ItemReader reader(text);
  try {
    return ReadSavedGame(reader);
  } catch (const UnclosedQuote&) {
    return std::nullopt;
  }
}

bool SaveGameToFile(const World& world, const std::filesystem::path& path) {
  return WriteFileAtomically(path, SavedGameText(world));
}

std::optional<SavedGame> LoadGameFromFile(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestSavedGame) return std::nullopt;
  const std::optional<std::string> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  return ParseSavedGame(*text);
}

void ApplySavedGame(World& world, const SavedGame& saved) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    world.objects.ObjectLocation[slot] = saved.locations[slot];
    world.objects.ObjectFlags[slot] = saved.flags[slot];
  }
  world.StoryClock = saved.StoryClock;
  world.WheelPosition = saved.WheelPosition;
  world.CurrentRoom = saved.CurrentRoom;
}

}  // namespace vortila
