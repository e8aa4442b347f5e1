#include "world/data_files.h"

#include <array>
#include <charconv>
#include <optional>
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

  // The item is a part of the file's text.
  std::string_view Read(int record, std::string_view itemName) {
    try {
      if (const auto item = items_.ReadItem()) return *item;
    } catch (const UnclosedQuote& unclosed) {
      Fail(unclosed.line, "virgolette non chiuse nel record " + std::to_string(record) +
                              ", alla voce «" + std::string(itemName) + "»");
    }
    Fail(items_.Line(), "il file finisce dentro il record " + std::to_string(record) +
                            ", prima della voce «" + std::string(itemName) + "»");
  }

  // The Id of an object record, past the comments and empty items in front of it, and the
  // line it stands on; nothing when the file ends first.
  std::optional<std::string_view> ReadId(int record, int& line) {
    while (!items_.AtEnd()) {
      line = items_.Line();
      const std::string_view item = Read(record, "Id");
      if (!item.empty() && item.front() != '\'') return item;
    }
    return std::nullopt;
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

std::string Padded(std::string_view words) {
  std::string padded;
  padded.reserve(words.size() + 2);
  padded += ' ';
  padded += words;
  padded += ' ';
  return padded;
}

std::string RecordName(int record) { return "il record " + std::to_string(record); }

int ParseVerbCode(const RecordReader& reader, std::string_view text, int record, int line) {
  int code = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (error != std::errc() || end != text.data() + text.size() || code < 1 || code > kVerbSlots) {
    reader.Fail(line, "il codice del record " + std::to_string(record) + " è «" +
                          std::string(text) + "», ma deve essere un numero intero da 1 a " +
                          std::to_string(kVerbSlots));
  }
  return code;
}

// The parser takes the patterns of code c from record c, so every code in use needs its own
// record in its own place; the other records with that code only add words for it.
void CheckVerbPlaces(const RecordReader& reader, const VerbTable& verbs, int records,
                     const std::array<int, kVerbSlots + 1>& lines) {
  for (int record = 1; record <= records; ++record) {
    const int code = verbs.VerbCode[record];
    if (code > records) {
      reader.Fail(lines[record], RecordName(record) + " ha il codice " + std::to_string(code) +
                                     ", ma il file non arriva al record " +
                                     std::to_string(code) + ", che deve avere quel codice");
    }
    if (verbs.VerbCode[code] != code) {
      reader.Fail(lines[code], RecordName(code) + " ha il codice " +
                                   std::to_string(verbs.VerbCode[code]) + ", ma deve avere il " +
                                   "codice " + std::to_string(code) + ", che " +
                                   RecordName(record) + " usa");
    }
  }
}

// A record past the last place of the table would otherwise be lost without a word.
[[noreturn]] void FailTooManyRecords(const RecordReader& reader, int line, int places) {
  reader.Fail(line, "il file ha più di " + std::to_string(places) + " record: " +
                        RecordName(places + 1) + " non trova posto");
}

}  // namespace

void ReadVerbs(VerbTable& verbs, std::string_view contents, std::string_view fileName) {
  RecordReader reader(contents, fileName);
  // The words read are indexed at their first lookup; nothing may still answer for the
  // words they replace, even when the read stops half way.
  verbs.wordIndex = WordIndex();
  std::array<int, kVerbSlots + 1> lines{};
  int records = 0;
  for (int slot = 1; slot <= kVerbSlots && !reader.AtEnd(); ++slot) {
    lines[slot] = reader.Line();
    verbs.VerbCode[slot] = ParseVerbCode(reader, reader.Read(slot, "codice"), slot, lines[slot]);
    verbs.VerbWords[slot] = Padded(reader.Read(slot, "parole"));
    const std::string_view patterns = reader.Read(slot, "schemi");
    verbs.VerbPatterns[slot] = patterns.empty() ? "%%" : patterns;
    records = slot;
  }
  if (records == 0) reader.Fail(reader.Line(), "il file non contiene nessun verbo");
  if (!reader.AtEnd()) FailTooManyRecords(reader, reader.Line(), kVerbSlots);
  CheckVerbPlaces(reader, verbs, records, lines);
}

void ReadObjects(ObjectTable& objects, std::string_view contents, std::string_view fileName) {
  RecordReader reader(contents, fileName);
  // As for the verbs.
  objects.idIndex = WordIndex();
  objects.nounIndex = WordIndex();
  int playerLine = 1;
  for (int slot = 1; slot <= kObjectSlots && !reader.AtEnd(); ++slot) {
    int line = 0;
    const std::optional<std::string_view> id = reader.ReadId(slot, line);
    if (!id) {
      reader.Fail(reader.Line(),
                  "il file finisce nei commenti che precedono " + RecordName(slot));
    }
    objects.ObjectId[slot] = *id;
    if (slot == 1) playerLine = line;
    objects.ObjectLocation.Change(slot) = reader.Read(slot, "luogo");
    objects.ObjectTitle[slot] = reader.Read(slot, "titolo");
    objects.ObjectNouns[slot] = Padded(reader.Read(slot, "nomi"));
    objects.ObjectFlags.Change(slot) = reader.Read(slot, "codici");
    objects.ObjectDescription[slot] = reader.Read(slot, "descrizione");
  }
  if (int line = 0; reader.ReadId(kObjectSlots + 1, line)) {
    FailTooManyRecords(reader, line, kObjectSlots);
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
