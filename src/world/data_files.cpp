#include "world/data_files.h"

#include <charconv>
#include <string>

#include "world/files.h"
#include "world/item_reader.h"

namespace vortila {

namespace {

// Reads the items of one data file and turns every way it can run short into a
// StartupError that says where.
class RecordReader {
 public:
  RecordReader(std::string_view contents, std::string_view fileName)
      : items_(contents), fileName_(fileName) {}

  bool AtEnd() const { return items_.AtEnd(); }

  std::string Read(int record, std::string_view itemName) {
    try {
      if (auto item = items_.ReadItem()) return *item;
    } catch (const UnclosedQuote& unclosed) {
      Fail(unclosed.line, "virgolette non chiuse nel record " + std::to_string(record) +
                              ", alla voce «" + std::string(itemName) + "»");
    }
    Fail(items_.Line(), "il file finisce dentro il record " + std::to_string(record) +
                            ", prima della voce «" + std::string(itemName) + "»");
  }

  // The Id of an object record, past the comments and empty items in front of it.
  std::string ReadId(int record) {
    for (;;) {
      if (items_.AtEnd()) {
        Fail(items_.Line(),
             "il file finisce nei commenti che precedono il record " + std::to_string(record));
      }
      std::string item = Read(record, "Id");
      if (!item.empty() && item.front() != '\'') return item;
    }
  }

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw StartupError(std::string(fileName_) + ", riga " + std::to_string(line) + ": " + what +
                       ".");
  }

  int Line() const { return items_.Line(); }

 private:
  ItemReader items_;
  std::string_view fileName_;
};

std::string Padded(const std::string& words) { return " " + words + " "; }

int ParseVerbCode(RecordReader& reader, const std::string& text, int record) {
  int code = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (error != std::errc() || end != text.data() + text.size() || code < 1 || code > kVerbSlots) {
    reader.Fail(reader.Line(), "il codice del record " + std::to_string(record) + " è «" + text +
                                   "», ma deve essere un numero intero da 1 a " +
                                   std::to_string(kVerbSlots));
  }
  return code;
}

}  // namespace

void ReadVerbs(VerbTable& verbs, std::string_view contents, std::string_view fileName) {
  RecordReader reader(contents, fileName);
  for (int slot = 1; slot <= kVerbSlots && !reader.AtEnd(); ++slot) {
    verbs.VerbCode[slot] = ParseVerbCode(reader, reader.Read(slot, "codice"), slot);
    verbs.VerbWords[slot] = Padded(reader.Read(slot, "parole"));
    std::string patterns = reader.Read(slot, "schemi");
    verbs.VerbPatterns[slot] = patterns.empty() ? "%%" : patterns;
  }
}

void ReadObjects(ObjectTable& objects, std::string_view contents, std::string_view fileName) {
  RecordReader reader(contents, fileName);
  int playerLine = 1;
  for (int slot = 1; slot <= kObjectSlots && !reader.AtEnd(); ++slot) {
    objects.ObjectId[slot] = reader.ReadId(slot);
    if (slot == 1) playerLine = reader.Line();
    objects.ObjectLocation[slot] = reader.Read(slot, "luogo");
    objects.ObjectTitle[slot] = reader.Read(slot, "titolo");
    objects.ObjectNouns[slot] = Padded(reader.Read(slot, "nomi"));
    objects.ObjectFlags[slot] = reader.Read(slot, "codici");
    objects.ObjectDescription[slot] = reader.Read(slot, "descrizione");
  }
  if (objects.ObjectId[1] != kPlayerId) {
    reader.Fail(playerLine, "il primo record deve essere il giocatore, con Id «" +
                                std::string(kPlayerId) + "», non «" + objects.ObjectId[1] + "»");
  }
  const std::string& start = objects.ObjectLocation[1];
  if (start.empty() || FindObjectSlot(objects, start) == 0) {
    reader.Fail(playerLine,
                "il giocatore si trova in «" + start + "», che non è un oggetto del file");
  }
}

void LoadVerbs(VerbTable& verbs, const std::filesystem::path& folder) {
  ReadVerbs(verbs, ReadRequiredFile(folder, kVerbFileName), kVerbFileName);
}

void LoadObjects(ObjectTable& objects, const std::filesystem::path& folder) {
  ReadObjects(objects, ReadRequiredFile(folder, kObjectFileName), kObjectFileName);
}

}  // namespace vortila
