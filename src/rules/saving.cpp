#include "rules/saving.h"

#include <string>

#include "rules/handlers.h"
#include "world/saved_game.h"

namespace vortila {

void SaveNamedGame(Rules& rules, const std::filesystem::path& file, std::string_view name) {
  if (SaveGameToFile(rules.world, file)) {
    Say(rules, "Ho salvato nel file '" + std::string(name) + "'.");
  } else {
    Say(rules, "Errore nel salvataggio: nome del file o percorso errato.");
  }
}

// The whole file is read and checked before anything in play changes, so a bad file leaves
// the game as it was.
bool LoadNamedGame(Rules& rules, const std::filesystem::path& file, std::string_view word,
                   std::string_view name) {
  Say(rules, word);
  const std::optional<SavedGame> saved = LoadGameFromFile(file, rules.world);
  if (!saved) {
    Say(rules, "Errore nel caricamento: nome del file o percorso errato.");
    return false;
  }
  ApplySavedGame(rules.world, *saved);
  Say(rules, "Ho caricato nel file '" + std::string(name) + "'.");
  ShowRoomPicture(rules);
  return true;
}

void SaveGame(Rules& rules) {
  rules.parser.TurnNotCounted = true;
  const std::string name = SavedGameFileName(TopicWord(rules));
  SaveNamedGame(rules, rules.folder / name, name);
}

void LoadGame(Rules& rules) {
  rules.parser.TurnNotCounted = true;
  const std::string& word = TopicWord(rules);
  const std::string name = SavedGameFileName(word);
  LoadNamedGame(rules, rules.folder / name, word, name);
}

}  // namespace vortila
