#include "app/startup.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "app/introduction.h"
#include "rules/describe_room.h"
#include "world/data_files.h"
#include "world/files.h"
#include "world/item_reader.h"

namespace vortila {

namespace {

std::optional<float> ParseSetting(const std::optional<std::string>& item) {
  if (!item) return std::nullopt;
  float value = 0;
  const char* end = item->data() + item->size();
  const auto [stop, error] = std::from_chars(item->data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatSetting(float value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace

void StartGame(Game& game) {
  World& world = game.world;
  game.window.ShowImmagine("001.pkd");
  game.window.ShowOutput();
  LoadWindowSettings(game);
  world.StoryClock = 0;
  for (std::string_view text : kIntroductionTexts) PrintText(game.screen, text);
  LoadVerbs(world.verbs, game.folders.data);
  LoadObjects(world.objects, game.folders.data);
  IndexWords(world);
  world.CurrentRoom = FindObjectSlot(world.objects, world.objects.ObjectLocation[1]);
  world.WheelPosition = -1;
  DescribeRoom(world, game.screen, game.parser);
}

void LoadWindowSettings(Game& game) {
  const std::string contents = ReadRequiredFile(game.folders.player, kSettingsFileName);
  ItemReader items(contents);
  try {
    const auto first = ParseSetting(items.ReadItem());
    const auto second = ParseSetting(items.ReadItem());
    if (first && second) game.window.ApplySettings({*first, *second});
  } catch (const UnclosedQuote&) {
    // Unreadable values: the window keeps the geometry it has.
  }
}

bool SaveWindowSettings(Game& game) {
  const WindowSettings settings = game.window.CurrentSettings();
  const std::string contents =
      FormatSetting(settings.first) + "\r\n" + FormatSetting(settings.second) + "\r\n";
  return WriteFileAtomically(game.folders.player / kSettingsFileName, contents);
}

void EndGame(Game& game, std::string_view problem) {
  game.ended = true;
  game.screen.transcript.close();
  game.window.EndProgram(problem);
}

void QuitGame(Game& game) {
  const bool saved = SaveWindowSettings(game);
  EndGame(game, saved ? ""
                      : "Non riesco a scrivere il file iniziale.ini: "
                        "le impostazioni della finestra non sono state salvate.");
}

}  // namespace vortila
