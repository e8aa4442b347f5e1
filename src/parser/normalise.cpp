#include "parser/normalise.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <iterator>

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

  // Appends what comes before the next blank and the blank itself, or the rest when no blank
  // follows, and moves past it.
  void AppendThroughBlank(std::string& out) {
    if (insertedPos_ < inserted_.size() && AppendThroughBlank(inserted_, insertedPos_, out)) {
      return;
    }
    AppendThroughBlank(line_, linePos_, out);
  }

  void Skip(std::size_t count) {
    for (; count > 0; --count) Next();
  }

  void Insert(std::string_view text) {
    inserted_ = std::string(text) + inserted_.substr(insertedPos_);
    insertedPos_ = 0;
  }

 private:
  // Tells whether a blank was found.
  static bool AppendThroughBlank(std::string_view text, std::size_t& pos, std::string& out) {
    const std::size_t blank = text.find(' ', pos);
    const std::size_t end = blank == std::string_view::npos ? text.size() : blank + 1;
    out += text.substr(pos, end - pos);
    pos = end;
    return blank != std::string_view::npos;
  }

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

constexpr std::size_t kRows = std::size(kReplacements);
static_assert(kRows < 256, "a row's number is kept in one byte");
static_assert(std::all_of(std::begin(kReplacements), std::end(kReplacements),
                          [](const Replacement& r) { return r.form.size() >= 2; }),
              "a word is told from a form by its second byte before it is compared whole");

// The rows of the table grouped by the first byte of their form, each group in the table's
// order: the rows of the forms that begin with byte b are rows[begin[b]] up to
// rows[begin[b + 1]].
struct RowsByInitial {
  std::array<std::uint8_t, kRows> rows{};
  std::array<std::uint8_t, 257> begin{};
};

constexpr RowsByInitial kRowsByInitial = [] {
  RowsByInitial index;
  const auto initial = [](std::size_t row) {
    return static_cast<unsigned char>(kReplacements[row].form[0]);
  };
  for (std::size_t row = 0; row < kRows; ++row) ++index.begin[initial(row) + 1];
  for (std::size_t byte = 1; byte < index.begin.size(); ++byte) {
    index.begin[byte] += index.begin[byte - 1];
  }
  std::array<std::uint8_t, 256> filled{};
  for (std::size_t row = 0; row < kRows; ++row) {
    const unsigned char byte = initial(row);
    index.rows[index.begin[byte] + filled[byte]++] = static_cast<std::uint8_t>(row);
  }
  return index;
}();

// The rows whose forms stand at the start of a word of `line`, right after a blank: one
// pass over the words, each compared only with the forms that begin with its first letter.
std::bitset<kRows> RowsAtWordStarts(std::string_view line) {
  std::bitset<kRows> found;
  for (std::size_t at = 1; at < line.size(); ++at) {
    if (line[at - 1] != ' ') continue;
    const auto initial = static_cast<unsigned char>(line[at]);
    const std::string_view word = line.substr(at);
    for (int i = kRowsByInitial.begin[initial]; i < kRowsByInitial.begin[initial + 1]; ++i) {
      const std::uint8_t row = kRowsByInitial.rows[i];
      const std::string_view form = kReplacements[row].form;
      // Every form has two bytes at least, and the second tells most apart.
      if (word.size() >= form.size() && word[1] == form[1] && word.starts_with(form)) {
        found.set(row);
      }
    }
  }
  return found;
}

}  // namespace

std::span<const Replacement> NormalisationTable() { return kReplacements; }

bool ReplaceWord(std::string& line, std::string_view form, std::string_view replacement) {
  if (line.size() <= 1 || !BeginsAWord(line, form)) return false;

  // Replacing the first match and searching again from the start gives the same result as
  // going on from the blank in front of the match: text before it held no match, and no
  // replacement in the table can complete a form that began before it. So one pass does.
  const std::string original = std::move(line);
  line.clear();
  line.reserve(original.size());
  UnreadText unread(original);
  while (!unread.AtEnd()) {
    unread.AppendThroughBlank(line);
    if (line.back() != ' ') continue;
    while (unread.StartsWith(form)) {
      unread.Skip(form.size());
      if (!replacement.empty()) unread.Insert(std::string(replacement) + ' ');
    }
  }
  return true;
}

void NormaliseInput(std::string& InputLine) {
  ReplaceWord(InputLine, " ", "");
  InputLine.insert(0, 1, ' ');
  // Most forms stand nowhere in a command: the rows are applied in order, each where it is
  // found, and found again after each change.
  std::bitset<kRows> found = RowsAtWordStarts(InputLine);
  for (std::size_t row = 0; row < kRows; ++row) {
    if (!found.test(row)) continue;
    ReplaceWord(InputLine, kReplacements[row].form, kReplacements[row].replacement);
    found = RowsAtWordStarts(InputLine);
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
