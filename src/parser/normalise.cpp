#include "parser/normalise.h"

#include <algorithm>
#include <array>
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

// Where `form` first stands in `line` right after a blank, or npos.
std::size_t FirstWordStartOf(std::string_view line, std::string_view form) {
  for (std::size_t at = line.find(form, 1); at != std::string_view::npos;
       at = line.find(form, at + 1)) {
    if (line[at - 1] == ' ') return at;
  }
  return std::string_view::npos;
}

constexpr std::size_t kRows = std::size(kReplacements);
static_assert(kRows < 256, "a row's number is kept in one byte");
static_assert(std::all_of(std::begin(kReplacements), std::end(kReplacements),
                          [](const Replacement& r) { return r.form.size() >= 2; }),
              "a form is looked for by its first two bytes before it is compared whole");

// The first two bytes of a text of two bytes at least, folded into one.
constexpr std::uint8_t OpeningOf(std::string_view text) {
  return static_cast<std::uint8_t>(static_cast<unsigned char>(text[0]) * 31u +
                                   static_cast<unsigned char>(text[1]));
}

// The rows of the table grouped by the opening of their form, each group in the table's
// order: the rows whose forms open as o are rows[begin[o]] up to rows[begin[o + 1]].
struct RowsByOpening {
  std::array<std::uint8_t, kRows> rows{};
  std::array<std::uint8_t, 257> begin{};
};

constexpr RowsByOpening kRowsByOpening = [] {
  RowsByOpening index;
  const auto opening = [](std::size_t row) { return OpeningOf(kReplacements[row].form); };
  for (std::size_t row = 0; row < kRows; ++row) ++index.begin[opening(row) + 1];
  for (std::size_t byte = 1; byte < index.begin.size(); ++byte) {
    index.begin[byte] += index.begin[byte - 1];
  }
  std::array<std::uint8_t, 256> filled{};
  for (std::size_t row = 0; row < kRows; ++row) {
    const std::uint8_t group = opening(row);
    index.rows[index.begin[group] + filled[group]++] = static_cast<std::uint8_t>(row);
  }
  return index;
}();

// The first row from `from` on whose form stands at the start of a word of `line`, right
// after a blank, or kRows: one pass over the words, each compared only with the forms that
// open as it does.
std::size_t FirstRowAtAWordStart(std::string_view line, std::size_t from) {
  std::size_t first = kRows;
  // A word of one byte, the last one, holds no form.
  for (std::size_t at = 1; at + 1 < line.size(); ++at) {
    if (line[at - 1] != ' ') continue;
    const std::string_view word = line.substr(at);
    const std::uint8_t opening = OpeningOf(word);
    for (int i = kRowsByOpening.begin[opening]; i < kRowsByOpening.begin[opening + 1]; ++i) {
      const std::size_t row = kRowsByOpening.rows[i];
      if (row >= from && row < first && word.starts_with(kReplacements[row].form)) first = row;
    }
  }
  return first;
}

}  // namespace

std::span<const Replacement> NormalisationTable() { return kReplacements; }

bool ReplaceWord(std::string& line, std::string_view form, std::string_view replacement) {
  const std::size_t first = FirstWordStartOf(line, form);
  if (first == std::string::npos) return false;

  // Replacing the first match and searching again from the start gives the same result as
  // going on from the blank in front of the match: text before it held no match, and no
  // replacement in the table can complete a form that began before it. So one pass does, in
  // the line itself: what is kept is written up to `written`, what is still to read starts
  // at `read`, and a replacement is put back in front of what it is to read, since it may
  // begin a further match.
  const std::size_t inserted = replacement.empty() ? 0 : replacement.size() + 1;
  std::size_t written = first;
  std::size_t read = first;
  while (read < line.size()) {
    const bool atWordStart = written > 0 && line[written - 1] == ' ';
    // Most words differ from the form in their first byte, which is compared before the rest.
    if (atWordStart && line[read] == form[0] && line.compare(read, form.size(), form) == 0) {
      read += form.size();
      if (inserted > read - written) {
        // No room between the two: open a gap as long as what is left to read, which the
        // replacements to come fill before the line must move again, so that all the moves
        // together stay within a few times its length.
        const std::size_t gap = inserted + (line.size() - read);
        line.insert(read, gap, ' ');
        read += gap;
      }
      read -= inserted;
      std::copy(replacement.begin(), replacement.end(), line.begin() + read);
      if (inserted > 0) line[read + replacement.size()] = ' ';
      continue;
    }
    const std::size_t blank = line.find(' ', read);
    const std::size_t end = blank == std::string::npos ? line.size() : blank + 1;
    std::char_traits<char>::move(line.data() + written, line.data() + read, end - read);
    written += end - read;
    read = end;
  }
  line.resize(written);
  return true;
}

void NormaliseInput(std::string& InputLine) {
  // Runs of blanks become one blank, as replacing a blank that follows a blank with nothing
  // would make them.
  const auto doubleBlank = [](char a, char b) { return a == ' ' && b == ' '; };
  InputLine.erase(std::unique(InputLine.begin(), InputLine.end(), doubleBlank), InputLine.end());
  InputLine.insert(0, 1, ' ');
  // Most forms stand nowhere in a command: the rows are applied in order, each where it is
  // found, and the next one found again after each change.
  for (std::size_t row = FirstRowAtAWordStart(InputLine, 0); row < kRows;
       row = FirstRowAtAWordStart(InputLine, row + 1)) {
    ReplaceWord(InputLine, kReplacements[row].form, kReplacements[row].replacement);
  }
  // Trimmed in place: a line of blanks alone has no last word, and npos + 1 erases it all.
  InputLine.erase(InputLine.find_last_not_of(' ') + 1);
  InputLine.erase(0, InputLine.find_first_not_of(' '));
}

void SplitWords(ParserState& parser, std::string_view InputLine) {
  ClearSlots(parser);
  auto& words = parser.TokenWords;
  // Each word is copied once, from what is left of the line.
  std::string_view rest = InputLine;
  int k = 1;
  while (k < kTokenSlots) {
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) break;
    const std::string_view word = rest.substr(0, blank);
    rest = TrimBlanks(rest.substr(blank + 1));
    if (word.empty()) {
      // An empty word before the blank ends the split, with the rest after it; the trimmed
      // line never starts with a blank, so this does not happen in play.
      ++k;
      break;
    }
    words[k++] = word;
  }
  words[k] = rest;
}

}  // namespace vortila
