#include "rules/saving.h"

#include <string>

#include "rules/handlers.h"
#include "world/saved_game.h"

namespace vortila {

namespace {

// What the player is told of a save, which says why it failed when it did.
std::string SaveReport(WriteOutcome outcome, std::string_view name) {
  switch (outcome) {
    case WriteOutcome::kWritten:
      return "Ho salvato nel file '" + std::string(name) + "'.";
    case WriteOutcome::kBadPath:
      break;
    case WriteOutcome::kNameTooLong:
      return "Errore nel salvataggio: il nome del file è troppo lungo.";
    case WriteOutcome::kReadOnlyFile:
      return "Errore nel salvataggio: il file '" + std::string(name) +
             "' è di sola lettura, e l'ho lasciato com'era.";
    case WriteOutcome::kNoPermission:
      return "Errore nel salvataggio: in quella cartella non si può scrivere.";
    case WriteOutcome::kNoSpace:
      return "Errore nel salvataggio: non c'è abbastanza spazio per il file.";
    case WriteOutcome::kFailed:
      return "Errore nel salvataggio: la scrittura del file non è riuscita.";
  }
  return "Errore nel salvataggio: nome del file o percorso errato.";
}

}  // namespace

void SaveNamedGame(Rules& rules, const std::filesystem::path& file, std::string_view name) {
  Say(rules, SaveReport(SaveGameToFile(rules.world, file), name));
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
