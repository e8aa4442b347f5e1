#include "screen/screen.h"

#include <algorithm>

#include "text/utf8.h"

namespace vortila {

namespace {

bool IsBreakMark(std::string_view character) { return character == "^" || character == "\r"; }

}  // namespace

void PrintText(Screen& screen, std::string_view text) {
  // An open bottom line is continued: the text is printed as if it had been part of it.
  std::string continued;
  if (!screen.LineComplete && screen.LinesShown < kPageSize) {
    continued = screen.Textlines[kBottomRow];
    continued += text;
    text = continued;
  }

  std::string line;
  std::size_t characters = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    NextCodePoint(text, pos);
    const std::string_view character = text.substr(start, pos - start);
    line += character;
    ++characters;
    if (character == " " && characters > kWrapWidth) {
      // Cut at the first blank after the 64th character; the blank itself is dropped.
      ++screen.LinesShown;
      line.pop_back();
      PushLine(screen, line);
      line.clear();
      characters = 0;
    } else if (IsBreakMark(character)) {
      // A held line keeps its break mark, so that HeldText prints again as it was written.
      ++screen.LinesShown;
      if (screen.LinesShown < kPageSize) line.pop_back();
      PushLine(screen, line);
      line.clear();
      characters = 0;
    }
  }
  ++screen.LinesShown;
  PushLine(screen, line);
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

}  // namespace vortila
