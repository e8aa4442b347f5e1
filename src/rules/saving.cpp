#include <string>

#include "parser/object_services.h"
#include "rules/handlers.h"
#include "world/saved_game.h"

namespace vortila {

void SaveGame(Rules& rules) {
  rules.parser.TurnNotCounted = true;
  const std::string name = SavedGameFileName(TopicWord(rules));
  if (SaveGameToFile(rules.world, rules.folder / name)) {
    Say(rules, "Ho salvato nel file '" + name + "'.");
  } else {
    Say(rules, "Errore nel salvataggio: nome del file o percorso errato.");
  }
}

// The whole file is read and checked before anything in play changes, so a bad file leaves
// the game as it was.
void LoadGame(Rules& rules) {
  rules.parser.TurnNotCounted = true;
  const std::string& word = TopicWord(rules);
  Say(rules, word);
  const std::string name = SavedGameFileName(word);
  const std::optional<SavedGame> saved = LoadGameFromFile(rules.folder / name);
  if (!saved) {
    Say(rules, "Errore nel caricamento: nome del file o percorso errato.");
    return;
  }
  ApplySavedGame(rules.world, *saved);
  Say(rules, "Ho caricato nel file '" + name + "'.");
  ShowRoomPicture(rules);
}

}  // namespace vortila
