#include "world/saved_game.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <utility>
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
  const std::optional<std::string_view> item = reader.ReadItem();
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
    const std::optional<std::string_view> location = reader.ReadItem();
    const std::optional<std::string_view> flags = reader.ReadItem();
    if (!location || !flags) return std::nullopt;
    saved.locations[slot] = *location;
    saved.flags[slot] = *flags;
  }
  const std::optional<int> clock = ReadNumber(reader, 0, kLastStoryClock);
  const std::optional<int> wheel = ReadNumber(reader, -1, 1);
  const std::optional<int> room = ReadNumber(reader, 1, kObjectSlots);
  if (!clock || !wheel || !room || !reader.AtEnd()) return std::nullopt;
  saved.StoryClock = *clock;
  saved.WheelPosition = *wheel;
  saved.CurrentRoom = *room;
  return saved;
}

bool IsPlaceBesidesObjects(std::string_view place) {
  return std::find(std::begin(kPlacesBesidesObjects), std::end(kPlacesBesidesObjects), place) !=
         std::end(kPlacesBesidesObjects);
}

// Play changes an object's flags only by switching its codes in place: "%" and "$" (a code
// cancelled, a named flag toggled), and the letter of a code among closed, open and locked
// (o, O, k), off and on (a, A), taken off and worn (w, W). Anything else in a saved game's
// flags, a picture's name above all, is not the game's.
bool IsSwitchOf(char delivered, char saved, bool atCodeLetter) {
  const auto bothIn = [&](std::string_view group) {
    return group.find(delivered) != std::string_view::npos &&
           group.find(saved) != std::string_view::npos;
  };
  if (bothIn("%$")) return true;
  return atCodeLetter && (bothIn("oOk") || bothIn("aA") || bothIn("wW"));
}

bool IsPlayedFrom(std::string_view delivered, std::string_view saved) {
  if (saved.size() != delivered.size()) return false;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    const bool atCodeLetter = i > 0 && (delivered[i - 1] == '%' || delivered[i - 1] == '$');
    if (saved[i] != delivered[i] && !IsSwitchOf(delivered[i], saved[i], atCodeLetter)) {
      return false;
    }
  }
  return true;
}

// The object whose Id is `location`, or 0 when it is a place; an empty location, which
// only an empty slot has, is no object's Id.
int HolderAt(const World& world, std::string_view location) {
  return location.empty() ? 0 : FindObjectSlot(world.objects, location);
}

// An object stands in a place the rules know, or in another object; a slot that the data
// file leaves empty stays empty, as the game saves it.
bool SlotsFit(const World& world, const SavedGame& saved) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    const std::string& location = saved.locations[slot];
    if (world.objects.ObjectId[slot].empty()) {
      if (!location.empty() || !saved.flags[slot].empty()) return false;
      continue;
    }
    const bool known = IsPlaceBesidesObjects(location) || HolderAt(world, location) > 0;
    if (!known || !IsPlayedFrom(world.deliveredFlags[slot], saved.flags[slot])) return false;
  }
  return true;
}

// Whether any object lies, through the chain of its holders, inside itself. A chain without
// a loop reaches a place that is not an object within as many steps as there are objects.
bool HasContainmentLoop(const World& world, const SavedGame& saved) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    int holder = slot;
    for (int step = 0; holder > 0; ++step) {
      if (step == kObjectSlots) return true;
      holder = HolderAt(world, saved.locations[holder]);
    }
  }
  return false;
}

// The room is the one the player stands in, and a room.
bool RoomFits(const World& world, const SavedGame& saved) {
  const int room = saved.CurrentRoom;
  return room == HolderAt(world, saved.locations[1]) &&
         saved.locations[room] == kRoomPlace;
}

}  // namespace

bool SavedGameFits(const World& world, const SavedGame& saved) {
  return saved.StoryClock >= 0 && saved.StoryClock <= kLastStoryClock &&
         SlotsFit(world, saved) && !HasContainmentLoop(world, saved) && RoomFits(world, saved);
}

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

WriteOutcome SaveGameToFile(const World& world, const std::filesystem::path& path) {
  return WriteFileAtomically(path, SavedGameText(world));
}

std::optional<SavedGame> ReadSavedGameFile(std::string bytes, const World& world) {
  std::optional<SavedGame> saved = ParseSavedGame(TextOfFile(std::move(bytes)));
  if (!saved || !SavedGameFits(world, *saved)) return std::nullopt;
  return saved;
}

std::optional<SavedGame> LoadGameFromFile(const std::filesystem::path& path,
                                          const World& world) {
  std::optional<std::string> bytes = ReadRegularFile(path, kLargestSavedGame);
  if (!bytes) return std::nullopt;
  return ReadSavedGameFile(std::move(*bytes), world);
}

void ApplySavedGame(World& world, const SavedGame& saved) {
  for (int slot = 1; slot <= kObjectSlots; ++slot) {
    world.objects.ObjectLocation.Change(slot) = saved.locations[slot];
    world.objects.ObjectFlags.Change(slot) = saved.flags[slot];
  }
  world.StoryClock = saved.StoryClock;
  world.WheelPosition = saved.WheelPosition;
  world.CurrentRoom = saved.CurrentRoom;
}

}  // namespace vortila
