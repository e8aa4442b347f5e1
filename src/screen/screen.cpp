#include "screen/screen.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "text/eight_bytes.h"
#include "text/utf8.h"

namespace vortila {

namespace {

constexpr bool IsBreakMark(char byte) { return byte == '^' || byte == '\r'; }

// Appends the character that starts at `pos` to `line`, moves past it and returns its first
// byte, which is all the wrapping needs to know of it.
char AppendCharacter(std::string_view text, std::size_t& pos, std::string& line) {
  const std::size_t from = pos;
  const char first = text[pos];
  if (static_cast<unsigned char>(first) < 0x80) {
    line += first;
    ++pos;
  } else {
    NextCodePoint(text, pos);
    line.append(text, from, pos - from);
  }
  return first;
}

// A break mark or a byte of a longer character: something the run of plain bytes stops at
// for a closer look.
bool NeedsACloserLook(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80 || IsBreakMark(byte);
}

std::uint64_t MarkCloserLooks(std::uint64_t bytes) {
  return (bytes & eight_bytes::kTopBits) | eight_bytes::MarkEqual(bytes, '^') |
         eight_bytes::MarkEqual(bytes, '\r');
}

// Appends from `pos` on the ASCII bytes that cannot end the line, moves past them and tells
// how many characters they were: all but the break marks, and the blanks too while the line
// has not reached its width. Most of a text is such runs, whole lines of them.
std::size_t AppendPlainBytes(std::string_view text, std::size_t& pos, std::size_t characters,
                             std::string& line) {
  // Up to the width only what needs a closer look stops the run, and it is looked for eight
  // bytes at a time; from there on a blank stops it too.
  const std::size_t room = characters < kWrapWidth ? kWrapWidth - characters : 0;
  const std::string_view withinWidth = text.substr(0, pos + room);
  std::size_t end = eight_bytes::FindFirst(withinWidth, pos, MarkCloserLooks, NeedsACloserLook);
  if (end == withinWidth.size()) {
    while (end < text.size() && text[end] != ' ' && !NeedsACloserLook(text[end])) ++end;
  }
  const std::size_t count = end - pos;
  line.append(text, pos, count);
  pos = end;
  return count;
}

// A text being printed, read character by character.
class TextSource {
 public:
  explicit TextSource(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  char AppendNext(std::string& line) { return AppendCharacter(text_, pos_, line); }
  std::size_t AppendPlainRun(std::size_t characters, std::string& line) {
    return AppendPlainBytes(text_, pos_, characters, line);
  }
  std::size_t Here() const { return pos_; }
  void HoldFrom(Screen& screen, std::size_t from) const {
    screen.HeldText.Hold(text_.substr(from));
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

// The held text being printed again on a fresh page, read character by character with the
// blanks its pieces count.
class HeldReader {
 public:
  struct Position {
    std::size_t piece = 0;
    std::size_t leadingBlanks = 0;
    std::size_t pos = 0;
    std::size_t markBlanks = 0;
  };

  explicit HeldReader(HeldRest held) : held_(std::move(held)) { EnterPiece(0); }

  // A print continues an open bottom line: the held text is printed as if it followed it.
  static HeldRest AfterOpenLine(HeldRest held, std::string_view line) {
    held.pieces_.insert(held.pieces_.begin(), HeldRest::Piece{std::string(line)});
    return held;
  }

  bool AtEnd() const { return here_.piece == held_.pieces_.size(); }

  char AppendNext(std::string& line) {
    const HeldRest::Piece& piece = held_.pieces_[here_.piece];
    char first = ' ';
    if (here_.leadingBlanks > 0) {
      --here_.leadingBlanks;
      line += ' ';
    } else if (here_.markBlanks > 0) {
      --here_.markBlanks;
      line += ' ';
    } else {
      first = AppendCharacter(piece.text, here_.pos, line);
      if (IsBreakMark(first)) here_.markBlanks = piece.markBlanks;
    }
    if (PieceIsRead()) EnterPiece(here_.piece + 1);
    return first;
  }

  // The blanks a held piece counts come before its bytes, and one at a time.
  std::size_t AppendPlainRun(std::size_t characters, std::string& line) {
    if (here_.leadingBlanks > 0 || here_.markBlanks > 0) return 0;
    const std::size_t count =
        AppendPlainBytes(held_.pieces_[here_.piece].text, here_.pos, characters, line);
    if (PieceIsRead()) EnterPiece(here_.piece + 1);
    return count;
  }

  Position Here() const { return here_; }

  // What is left from `from` is held again, and so gains a blank after each break mark and
  // one at its end.
  void HoldFrom(Screen& screen, const Position& from) {
    auto& pieces = held_.pieces_;
    pieces.erase(pieces.begin(), pieces.begin() + static_cast<std::ptrdiff_t>(from.piece));
    if (pieces.empty()) {
      pieces.emplace_back();
    } else {
      // Blanks already begun after a mark that stays behind no longer follow a mark.
      pieces.front().leadingBlanks = from.leadingBlanks + from.markBlanks;
      pieces.front().start = from.pos;
    }
    for (HeldRest::Piece& piece : pieces) ++piece.markBlanks;
    pieces.back().text += ' ';
    screen.HeldText = std::move(held_);
  }

 private:
  bool PieceIsRead() const {
    return here_.leadingBlanks == 0 && here_.markBlanks == 0 &&
           here_.pos == held_.pieces_[here_.piece].text.size();
  }

  // Moves to the first piece from `piece` on that has anything left to read.
  void EnterPiece(std::size_t piece) {
    for (here_.piece = piece; here_.piece < held_.pieces_.size(); ++here_.piece) {
      const HeldRest::Piece& next = held_.pieces_[here_.piece];
      here_.leadingBlanks = next.leadingBlanks;
      here_.pos = next.start;
      here_.markBlanks = 0;
      if (!PieceIsRead()) return;
    }
  }

  HeldRest held_;
  Position here_;
};

void HeldRest::Hold(std::string_view rest) {
  // Freshly held text has one blank after each mark; it joins the last piece when that one
  // has not been held again since.
  if (pieces_.empty() || pieces_.back().markBlanks != 1) pieces_.push_back({{}, 0, 0, 1});
  std::string& text = pieces_.back().text;
  text += rest;
  text += ' ';
}

std::string HeldRest::Text() const {
  std::string text;
  for (const Piece& piece : pieces_) {
    text.append(piece.leadingBlanks, ' ');
    for (std::size_t pos = piece.start; pos < piece.text.size(); ++pos) {
      text += piece.text[pos];
      if (IsBreakMark(piece.text[pos])) text.append(piece.markBlanks, ' ');
    }
  }
  return text;
}

namespace {

// Once a line finds the page full, it and everything after it are held in one go: the
// screen shows nothing more until the player turns the page.
template <typename Source, typename Position>
void HoldRest(Screen& screen, Source& source, const Position& lineStart) {
  screen.window.SetTextInput(kPagePrompt);
  source.HoldFrom(screen, lineStart);
  screen.LineComplete = true;
}

// Breaks the text into lines at break marks and at the first blank after the 64th
// character, and shows them until the page is full.
template <typename Source>
void PrintLines(Screen& screen, Source& source) {
  std::string& line = screen.lineBeingBroken;
  line.clear();
  std::size_t characters = 0;
  auto lineStart = source.Here();
  while (!source.AtEnd()) {
    characters += source.AppendPlainRun(characters, line);
    if (source.AtEnd()) break;
    const char first = source.AppendNext(line);
    ++characters;
    if (!IsBreakMark(first) && !(first == ' ' && characters > kWrapWidth)) continue;
    ++screen.LinesShown;
    if (screen.LinesShown >= kPageSize) {
      HoldRest(screen, source, lineStart);
      // The last line of the text, if nothing else, comes after this one.
      ++screen.LinesShown;
      return;
    }
    // The blank at the cut, or the break mark, is not shown.
    line.pop_back();
    PushLine(screen, line);
    line.clear();
    characters = 0;
    lineStart = source.Here();
  }
  ++screen.LinesShown;
  if (screen.LinesShown >= kPageSize) {
    HoldRest(screen, source, lineStart);
  } else {
    PushLine(screen, line);
  }
}

bool ContinuesOpenLine(const Screen& screen) {
  return !screen.LineComplete && screen.LinesShown < kPageSize;
}

}  // namespace

void PrintText(Screen& screen, std::string_view text) {
  // An open bottom line is continued: the text is printed as if it had been part of it.
  std::string continued;
  if (ContinuesOpenLine(screen)) {
    continued = screen.Textlines[kBottomRow];
    continued += text;
    text = continued;
  }
  TextSource source(text);
  PrintLines(screen, source);
}

void PrintHeldText(Screen& screen) {
  HeldRest held = std::exchange(screen.HeldText, {});
  if (ContinuesOpenLine(screen)) {
    held = HeldReader::AfterOpenLine(std::move(held), screen.Textlines[kBottomRow]);
  }
  HeldReader source(std::move(held));
  PrintLines(screen, source);
}

void PrintOpen(Screen& screen, std::string_view text) {
  PrintText(screen, text);
  screen.LineComplete = false;
  --screen.LinesShown;
}

void PushLine(Screen& screen, std::string& line) {
  screen.HeldText.clear();
  if (screen.LineComplete) {
    screen.Textlines.ScrollUp();
    screen.window.ScrollTextlines();
    if (screen.TranscriptOn) {
      const std::string& line = screen.Textlines[kBottomRow - 1];
      std::fwrite(line.data(), 1, line.size(), screen.transcript.get());
      std::fputs("\r\n", screen.transcript.get());
      std::fflush(screen.transcript.get());
    }
  }
  // The line takes the row's place and hands its storage back for the next line, rather
  // than be copied into it.
  std::string& row = screen.Textlines[kBottomRow];
  row.swap(line);
  screen.window.SetTextline(kBottomRow, row);
  screen.LineComplete = true;
}

std::array<std::string, kScreenRows> ScreenRows::InOrder() const {
  std::array<std::string, kScreenRows> rows;
  for (int row = 0; row < kScreenRows; ++row) rows[row] = (*this)[row];
  return rows;
}

void ToggleTranscript(Screen& screen) {
  if (screen.TranscriptOn) {
    PrintText(screen, "------ FINE ------");
    PrintText(screen, "Ok - FINE STAMPA");
    screen.transcript.reset();
  } else {
    screen.transcript.reset(std::fopen((screen.folder / kTranscriptFileName).c_str(), "wb"));
    if (!screen.transcript) {
      PrintText(screen, "Non riesco a creare il file Debug.txt: la stampa non è iniziata.");
      return;
    }
    PrintText(screen, "Ok - inzio nuova stampa su Debug.txt");
  }
  screen.TranscriptOn = !screen.TranscriptOn;
}

bool PageHeld(const Screen& screen) { return !screen.HeldText.empty() && screen.LinesShown >= 1; }

void DropHeldPage(Screen& screen) {
  screen.HeldText.clear();
  screen.LinesShown = 0;
  if (screen.window.TextInput() == kPagePrompt) screen.window.SetTextInput("");
}

void ShowPicture(Screen& screen, std::string_view fileName) {
  screen.Picture = fileName;
  const auto found = screen.descriptions.find(fileName);
  const std::string_view description =
      found == screen.descriptions.end() ? std::string_view() : found->second;
  screen.window.ShowImmagine(fileName, description);
}

void SetInventoryLabel(Screen& screen, std::string text) {
  screen.Inventory = std::move(text);
  screen.InventoryMadeFrom.reset();
  screen.window.SetInventarietto(screen.Inventory);
}

PictureDescriptions ReadPictureDescriptions(std::string_view text) {
  PictureDescriptions descriptions;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    // Control characters (a carriage return, a tab) become blanks: a description is shown
    // on a line of its own and must not break it or reach a terminal as a control sequence.
    const std::string cleaned = CleanText(std::string(text.substr(0, end)), LineEnds::kBlanked);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::string_view line = TrimBlanks(cleaned);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t nameEnd = std::min(line.find(' '), line.size());
    const std::string_view description = TrimBlanks(line.substr(nameEnd));
    if (!description.empty()) descriptions.emplace(line.substr(0, nameEnd), description);
  }
  return descriptions;
}

}  // namespace vortila
