#include "screen/screen.h"

#include <algorithm>

#include "text/utf8.h"

namespace vortila {

void PrintText(Screen& screen, std::string_view text) {
  // An open bottom line is continued: the text is printed as if it had been part of it.
  std::string continued;
  if (!screen.LineComplete && screen.LinesShown < kPageSize) {
    continued = screen.Textlines[kBottomRow];
    continued += text;
    text = continued;
  }

  // The line being gathered is always the stretch of `text` from `lineStart` to `pos`.
  std::size_t lineStart = 0;
  std::size_t characters = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char byte = text[pos];
    if (static_cast<unsigned char>(byte) < 0x80) {
      ++pos;
    } else {
      NextCodePoint(text, pos);
    }
    ++characters;
    if (byte == ' ' && characters > kWrapWidth) {
      // Cut at the first blank after the 64th character; the blank itself is dropped.
      ++screen.LinesShown;
      PushLine(screen, text.substr(lineStart, pos - 1 - lineStart));
      lineStart = pos;
      characters = 0;
    } else if (byte == '^' || byte == '\r') {
      // A held line keeps its break mark, so that HeldText prints again as it was written.
      ++screen.LinesShown;
      const std::size_t end = screen.LinesShown < kPageSize ? pos - 1 : pos;
      PushLine(screen, text.substr(lineStart, end - lineStart));
      lineStart = pos;
      characters = 0;
    }
  }
  ++screen.LinesShown;
  PushLine(screen, text.substr(lineStart));
}

void PrintOpen(Screen& screen, std::string_view text) {
  PrintText(screen, text);
  screen.LineComplete = false;
  --screen.LinesShown;
}

void PushLine(Screen& screen, std::string_view line) {
  if (screen.LinesShown < kPageSize) screen.HeldText.clear();
  if (screen.LineComplete && screen.LinesShown < kPageSize) {
    std::move(screen.Textlines.begin() + 1, screen.Textlines.end(), screen.Textlines.begin());
    screen.window.ScrollTextlines();
    if (screen.TranscriptOn) {
      screen.transcript << screen.Textlines[kBottomRow - 1] << "\r\n";
      screen.transcript.flush();
    }
  }
  if (screen.LinesShown < kPageSize) {
    screen.Textlines[kBottomRow] = line;
    screen.window.SetTextline(kBottomRow, line);
  } else {
    screen.window.SetTextInput(kPagePrompt);
    screen.HeldText += line;
    screen.HeldText += ' ';
  }
  screen.LineComplete = true;
}

void ToggleTranscript(Screen& screen) {
  if (screen.TranscriptOn) {
    PrintText(screen, "------ FINE ------");
    PrintText(screen, "Ok - FINE STAMPA");
    screen.transcript.close();
  } else {
    screen.transcript.open(screen.folder / kTranscriptFileName, std::ios::binary | std::ios::trunc);
    if (!screen.transcript) {
      screen.transcript.clear();
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

void SetInventoryLabel(Screen& screen, std::string_view text) {
  screen.Inventory = text;
  screen.window.SetInventarietto(text);
}

PictureDescriptions ReadPictureDescriptions(std::string_view text) {
  PictureDescriptions descriptions;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    // Control characters (a carriage return, a tab) become blanks: a description is shown
    // on a line of its own and must not break it or reach a terminal as a control sequence.
    const std::string cleaned = CleanCommandText(text.substr(0, end));
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
