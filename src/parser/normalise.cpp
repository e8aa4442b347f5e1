#include "parser/normalise.h"

#include <bitset>
#include <cstddef>
#include <vector>

#include "text/utf8.h"

namespace vortila {

namespace {

// The order matters: articulated prepositions become bare ones before the articles inside
// them could be dropped ("nella" gives "in" before "la" goes), and "al", "alla"... become
// "a" before "sotto a" becomes "sotto".
constexpr Replacement kReplacements[] = {
    {"sul ", "su"},
    {"sulla ", "su"},
    {"sull'", "su"},
    {"sulle ", "su"},
    {"sugli ", "su"},
    {"sui ", "su"},
    {"col ", "con"},
    {"colle ", "con"},
    {"coll'", "con"},
    {"colla ", "con"},
    {"cogli ", "con"},
    {"coi ", "con"},
    {"nel ", "in"},
    {"nelle ", "in"},
    {"nell'", "in"},
    {"negli ", "in"},
    {"nello ", "in"},
    {"nella ", "in"},
    {"nei ", "in"},
    {"dal ", "da"},
    {"dalle ", "da"},
    {"dalla ", "da"},
    {"dallo ", "da"},
    {"dagli ", "da"},
    {"dai ", "da"},
    {"dall'", "da"},
    {"d'", "di"},
    {"dell'", "di"},
    {"del ", "di"},
    {"dei ", "di"},
    {"della ", "di"},
    {"dello ", "di"},
    {"degli ", "di"},
    {"delle ", "di"},
    {"al ", "a"},
    {"alle ", "a"},
    {"alla ", "a"},
    {"allo ", "a"},
    {"agli ", "a"},
    {"ai ", "a"},
    {"all'", "a"},
    {"a destra", "dex"},
    {"a sinistra", "sinx"},
    {"verso destra", "dex"},
    {"verso sinistra", "sinx"},
    {"sopra a ", "su"},
    {"sopra ", "su"},
    {"sotto a ", "sotto"},
    {"dentro a ", "in"},
    {"dentro", "in"},
    // Articles, conjunctions, fillers and demonstratives carry nothing the parser uses.
    {"i ", ""},
    {"il ", ""},
    {"gli ", ""},
    {"la ", ""},
    {"le ", ""},
    {"lo ", ""},
    {"l'", ""},
    {"un ", ""},
    {"una ", ""},
    {"uno ", ""},
    {"un'", ""},
    {"e ", ""},
    {"poi ", ""},
    {"ed ", ""},
    {"fino ", ""},
    {"addosso ", ""},
    {"questa ", ""},
    {"questo ", ""},
    {"quello ", ""},
    {"quella ", ""},
};

// What ReplaceWord still has to read: the text of a replacement just made, which may itself
// begin a further match, followed by the rest of the line.
class UnreadText {
 public:
  explicit UnreadText(std::string_view line) : line_(line) {}

  bool AtEnd() const { return inserted_.size() == insertedPos_ && line_.size() == linePos_; }

  char Next() {
    if (insertedPos_ < inserted_.size()) return inserted_[insertedPos_++];
    return line_[linePos_++];
  }

  bool StartsWith(std::string_view text) const {
    std::size_t inserted = insertedPos_;
    std::size_t line = linePos_;
    for (const char c : text) {
      if (inserted < inserted_.size()) {
        if (inserted_[inserted++] != c) return false;
      } else if (line < line_.size()) {
        if (line_[line++] != c) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  void Skip(std::size_t count) {
    for (; count > 0; --count) Next();
  }

  void Insert(std::string_view text) {
    inserted_ = std::string(text) + inserted_.substr(insertedPos_);
    insertedPos_ = 0;
  }

 private:
  std::string_view line_;
  std::size_t linePos_ = 0;
  std::string inserted_;
  std::size_t insertedPos_ = 0;
};

// Whether `form` stands anywhere in `line` right after a blank.
bool BeginsAWord(std::string_view line, std::string_view form) {
  for (std::size_t at = line.find(form, 1); at != std::string_view::npos;
       at = line.find(form, at + 1)) {
    if (line[at - 1] == ' ') return true;
  }
  return false;
}

// Where the words of a line begin, right after each blank, and the letters they begin with:
// most forms begin with a letter that begins no word of the command, and are passed over
// without looking at the line.
class WordStarts {
 public:
  explicit WordStarts(std::string_view line) {
    for (std::size_t at = line.find(' '); at != std::string_view::npos;
         at = line.find(' ', at + 1)) {
      starts_.push_back(at + 1);
      if (at + 1 < line.size()) initials_.set(static_cast<unsigned char>(line[at + 1]));
    }
  }

  bool AnyBeginsWith(std::string_view line, std::string_view form) const {
    if (!initials_.test(static_cast<unsigned char>(form[0]))) return false;
    for (const std::size_t start : starts_) {
      if (line.size() - start >= form.size() && line[start] == form[0] &&
          line.compare(start, form.size(), form) == 0) {
        return true;
      }
    }
    return false;
  }

 private:
  std::vector<std::size_t> starts_;
  std::bitset<256> initials_;
};

}  // namespace

std::span<const Replacement> NormalisationTable() { return kReplacements; }

void ReplaceWord(std::string& line, std::string_view form, std::string_view replacement) {
  if (line.size() <= 1 || !BeginsAWord(line, form)) return;

  // Replacing the first match and searching again from the start gives the same result as
  // going on from the blank in front of the match: text before it held no match, and no
  // replacement in the table can complete a form that began before it. So one pass does.
  const std::string original = std::move(line);
  line.clear();
  UnreadText unread(original);
  while (!unread.AtEnd()) {
    const char c = unread.Next();
    line += c;
    if (c != ' ') continue;
    while (unread.StartsWith(form)) {
      unread.Skip(form.size());
      if (!replacement.empty()) unread.Insert(std::string(replacement) + ' ');
    }
  }
}

void NormaliseInput(std::string& InputLine) {
  ReplaceWord(InputLine, " ", "");
  InputLine.insert(0, 1, ' ');
  // Most forms stand nowhere in a command; the places where words begin are few, and
  // looking only there tells quickly which forms need a pass over the line.
  WordStarts starts(InputLine);
  for (const Replacement& r : kReplacements) {
    if (!starts.AnyBeginsWith(InputLine, r.form)) continue;
    ReplaceWord(InputLine, r.form, r.replacement);
    starts = WordStarts(InputLine);
  }
  InputLine = std::string(TrimBlanks(InputLine));
}

void SplitWords(ParserState& parser, std::string_view InputLine) {
  for (int slot = 0; slot <= kTokenSlots; ++slot) ClearSlot(parser, slot);
  auto& words = parser.TokenWords;
  words[1] = InputLine;
  int k = 1;
  while (k < kTokenSlots) {
    const std::size_t blank = words[k].find(' ');
    if (blank == std::string::npos) break;
    words[k + 1] = TrimBlanks(std::string_view(words[k]).substr(blank + 1));
    words[k] = std::string(TrimBlanks(std::string_view(words[k]).substr(0, blank)));
    // An empty word before the blank leaves k where it is, and the next round ends the
    // split; the trimmed line never starts with a blank, so this does not happen in play.
    if (!words[k].empty()) ++k;
  }
}

}  // namespace vortila
