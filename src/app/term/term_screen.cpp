#include "app/term/term_screen.h"

#include <curses.h>
#include <langinfo.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "app/term/cells.h"

namespace vortila {

namespace {

constexpr std::u32string_view kPrompt = U" >";
constexpr std::u32string_view kCommandHint = U"Inserire qui i comandi";
constexpr std::u32string_view kInventoryTitle = U"Inventario";
// Where the command line was, while the player reads back through the session.
constexpr std::u32string_view kReadingBack =
    U"(rilettura: PagSu e PagGiù scorrono, ogni altro tasto torna in fondo)";
// The terminal's title, as the window's.
constexpr const char* kTitle = "La Vortila";
// An inventory title that wraps goes on under its first word, not under the "> " that
// marks a new object.
constexpr int kInventoryIndent = 2;
// The command line starts after the prompt and a blank.
constexpr int kCommandColumn = 3;
// Escape starts the sequences of the arrows; a lone Escape need not wait long.
constexpr int kEscapeDelayMs = 25;

ColourDepth DepthOf(int colours) {
  if (tigetflag("RGB") > 0 || colours >= 0x1000000) {
    return ColourDepth::kTrueColour;
  }
  if (colours >= 256) return ColourDepth::k256;
  if (colours >= 16) return ColourDepth::k16;
  if (colours >= 8) return ColourDepth::k8;
  return ColourDepth::kNone;
}

// The colour of row 0, the oldest line, when the terminal has one to spare.
int FadedColour(ColourDepth depth) {
  switch (depth) {
    case ColourDepth::kTrueColour:
      return 0x808080;
    case ColourDepth::k256:
      return 244;
    case ColourDepth::k16:
      return 8;
    default:
      return -1;
  }
}

void PutText(int line, int column, int columns, std::u32string_view text, attr_t attributes = 0,
             int pair = 0) {
  const std::wstring shown = FitToColumns(text, columns);
  if (shown.empty()) return;
  wattr_set(stdscr, attributes, 0, &pair);
  mvwaddnwstr(stdscr, line, column, shown.c_str(), static_cast<int>(shown.size()));
  int none = 0;
  wattr_set(stdscr, A_NORMAL, 0, &none);
}

void PutCell(int line, int column, const cchar_t* cell) { mvwadd_wch(stdscr, line, column, cell); }

TermKey FunctionKey(wint_t key) {
  switch (key) {
    case KEY_ENTER:
      return {TermKey::kEnter};
    case KEY_UP:
      return {TermKey::kUp};
    case KEY_DOWN:
      return {TermKey::kDown};
    case KEY_LEFT:
      return {TermKey::kLeft};
    case KEY_RIGHT:
      return {TermKey::kRight};
    case KEY_HOME:
      return {TermKey::kHome};
    case KEY_END:
      return {TermKey::kEnd};
    case KEY_BACKSPACE:
      return {TermKey::kBackspace};
    case KEY_DC:
      return {TermKey::kDelete};
    case KEY_PPAGE:
      return {TermKey::kPageUp};
    case KEY_NPAGE:
      return {TermKey::kPageDown};
    case KEY_RESIZE:
      return {TermKey::kResize};
    default:
      return {TermKey::kOther};
  }
}

TermKey CharacterKey(wint_t key) {
  switch (key) {
    case '\r':
    case '\n':
      return {TermKey::kEnter};
    case 'A' - '@':
      return {TermKey::kLineStart};
    case 'C' - '@':
      return {TermKey::kInterrupt};
    case 'D' - '@':
      return {TermKey::kEndOfInput};
    case 'E' - '@':
      return {TermKey::kLineEnd};
    case 'H' - '@':
    case 0x7F:
      return {TermKey::kBackspace};
    case 'L' - '@':
      return {TermKey::kRepaint};
    case 'U' - '@':
      return {TermKey::kClearLine};
    case 'Z' - '@':
      return {TermKey::kUndo};
    default:
      break;
  }
  if (IsControl(key)) return {TermKey::kOther};
  return {TermKey::kCharacter, static_cast<char32_t>(key)};
}

// The wheel, where the terminal reports it; ncurses tells it as the fourth and fifth buttons.
TermKey MouseKey() {
  MEVENT event{};
  if (getmouse(&event) != OK) return {TermKey::kOther};
  if (event.bstate & BUTTON4_PRESSED) return {TermKey::kWheelUp};
  if (event.bstate & BUTTON5_PRESSED) return {TermKey::kWheelDown};
  return {TermKey::kOther};
}

bool IsString(const char* capability) {
  return capability != nullptr && capability != reinterpret_cast<const char*>(-1);
}

// A terminal with a status line takes the title there; one that understands xterm's title
// sequence ("XT") has it set that way, after keeping the title it had on xterm's stack. The
// sequences go straight to the terminal: they neither move the cursor nor draw anything.
void SetTitle(std::FILE* out) {
  const char* toStatus = tigetstr("tsl");
  const char* fromStatus = tigetstr("fsl");
  if (tigetflag("hs") > 0 && IsString(toStatus) && IsString(fromStatus)) {
    std::fprintf(out, "%s%s%s", toStatus, kTitle, fromStatus);
  } else if (tigetflag("XT") > 0) {
    std::fprintf(out, "\033[22;0t\033]0;%s\007", kTitle);
  }
  std::fflush(out);
}

// The title xterm kept before the game's comes back.
void RestoreTitle(std::FILE* out) {
  if (tigetflag("XT") > 0) std::fputs("\033[23;0t", out);
  std::fflush(out);
}

}  // namespace

TermScreen::TermScreen(std::FILE* in, std::FILE* out, const char* terminalType) : out_(out) {
  screen_ = newterm(terminalType, out, in);
  if (screen_ == nullptr) {
    const char* name = terminalType ? terminalType : std::getenv("TERM");
    throw std::runtime_error("Non conosco il terminale \"" + std::string(name ? name : "") +
                             "\": la variabile TERM non nomina un terminale noto.");
  }
  set_term(screen_);
  // Ctrl-C and Ctrl-D reach the game as keys: they close it in order, settings saved.
  raw();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(kEscapeDelayMs);
  // Only the wheel: a click then still reaches the terminal's own selection with Shift.
  mousemask(BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  mouseinterval(0);
  curs_set(1);
  SetTitle(out_);
  if (has_colors() && start_color() == OK) {
    defaultColours_ = use_default_colors() == OK;
    depth_ = DepthOf(COLORS);
  }
  pictures_ = PictureCache(depth_, std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0);
}

TermScreen::~TermScreen() {
  set_term(screen_);
  endwin();
  RestoreTitle(out_);
  delscreen(screen_);
}

void TermScreen::Draw(TermSession& session) {
  set_term(screen_);
  TermLayout layout =
      ComputeTermLayout(COLS, LINES, static_cast<int>(session.InventoryLines().size()));
  // Wrapped titles make the box taller, never wider: its width is the side column's.
  std::vector<std::u32string> inventory;
  if (!layout.inventory.Empty()) {
    inventory = InventoryRows(session, layout.inventory.columns - 3);
    layout = ComputeTermLayout(COLS, LINES, static_cast<int>(inventory.size()));
  }
  session.SetVisibleRows(layout.text.lines);
  // Pairs are made as pictures need them. When another picture (or size) comes and half the
  // pairs are taken, they start over and the terminal is painted afresh, so that no cell
  // keeps a pair that now means other colours. A terminal with few pairs repaints only when
  // the picture changes, never at every key.
  const std::string picture = session.Picture().string() + '@' +
                              std::to_string(layout.picture.columns) + 'x' +
                              std::to_string(layout.picture.lines);
  if (picture != pairedPicture_ && nextPair_ > COLOR_PAIRS / 2) {
    pairs_.clear();
    nextPair_ = 1;
    Repaint();
  }
  pairedPicture_ = picture;
  werase(stdscr);
  DrawRows(layout, session);
  DrawInventory(layout.inventory, inventory);
  DrawPicture(layout.picture, session);
  // Last, so that the cursor stays on the command line.
  if (session.ScrolledBack() > 0) {
    DrawReadingBack(layout.command);
  } else {
    DrawCommandLine(layout.command, session.Line());
  }
  wnoutrefresh(stdscr);
  doupdate();
}

TermKey TermScreen::ReadKey() {
  set_term(screen_);
  wint_t key = 0;
  errno = 0;
  const int result = wget_wch(stdscr, &key);
  if (result == KEY_CODE_YES) return key == KEY_MOUSE ? MouseKey() : FunctionKey(key);
  if (result == OK) return CharacterKey(key);
  if (errno != EINTR) return {TermKey::kInterrupt};
  // The interrupted read leaves its failure queued as input; a stop, too, makes whatever
  // was typed before it stale.
  flushinp();
  FollowTerminalSize();
  return {TermKey::kRepaint};
}

void TermScreen::FollowTerminalSize() {
  struct winsize size {};
  if (ioctl(fileno(out_), TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) {
    return;
  }
  if (size.ws_row != LINES || size.ws_col != COLS) resizeterm(size.ws_row, size.ws_col);
}

void TermScreen::Repaint() {
  set_term(screen_);
  clearok(curscr, TRUE);
}

int TermScreen::Pair(int foreground, int background) {
  if (depth_ == ColourDepth::kNone || (foreground < 0 && background < 0)) return 0;
  if (!defaultColours_) {
    if (foreground < 0) foreground = COLOR_WHITE;
    if (background < 0) background = COLOR_BLACK;
  }
  // A direct-colour terminal takes the numbers 0 to 7 for its basic colours, not for RGB.
  if (depth_ == ColourDepth::kTrueColour) {
    if (foreground >= 0 && foreground < 8) foreground = 8;
    if (background >= 0 && background < 8) background = 8;
  }
  const std::int64_t key =
      (static_cast<std::int64_t>(foreground) << 32) | static_cast<std::uint32_t>(background);
  const auto found = pairs_.find(key);
  if (found != pairs_.end()) return found->second;
  if (nextPair_ >= COLOR_PAIRS || init_extended_pair(nextPair_, foreground, background) != OK) {
    return 0;
  }
  pairs_.emplace(key, nextPair_);
  return nextPair_++;
}

void TermScreen::DrawRows(const TermLayout& layout, const TermSession& session) {
  const TermArea& area = layout.text;
  // The two oldest rows of the game's screen fade: row 0 in grey where the terminal has one,
  // dimmed otherwise. Read back, the session's earlier lines are all alike.
  const int faded = session.ScrolledBack() == 0 ? FadedColour(depth_) : -1;
  const bool fading = session.ScrolledBack() == 0;
  for (int line = 0; line < area.lines; ++line) {
    const int row = layout.firstRow + line;
    attr_t attributes = A_NORMAL;
    int pair = 0;
    if (fading && row == 0 && faded >= 0) {
      pair = Pair(faded, -1);
    } else if (fading && row <= 1) {
      attributes = A_DIM;
    }
    PutText(area.top + line, area.left, area.columns, DecodeUtf8(session.ShownRow(row)),
            attributes, pair);
  }
}

void TermScreen::DrawReadingBack(const TermArea& area) {
  curs_set(0);
  if (!area.Empty()) PutText(area.top, area.left, area.columns, kReadingBack, A_REVERSE);
}

std::vector<std::u32string> TermScreen::InventoryRows(const TermSession& session, int columns) {
  std::vector<std::u32string> rows;
  for (const std::string& item : session.InventoryLines()) {
    for (std::u32string& row : WrapToColumns(DecodeUtf8(item), columns, kInventoryIndent)) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

void TermScreen::DrawCommandLine(const TermArea& area, CommandLine& line) {
  if (area.Empty()) {
    curs_set(0);
    return;
  }
  PutText(area.top, area.left, area.columns, kPrompt, A_BOLD);
  const int columns = area.columns - kCommandColumn;
  if (columns <= 0) {
    curs_set(0);
    return;
  }
  const CommandLine::View view = line.Visible(columns);
  if (line.Empty()) PutText(area.top, area.left + kCommandColumn, columns, kCommandHint, A_DIM);
  PutText(area.top, area.left + kCommandColumn, columns, view.text);
  curs_set(1);
  wmove(stdscr, area.top, area.left + kCommandColumn + view.cursorColumn);
}

void TermScreen::DrawInventory(const TermArea& area, const std::vector<std::u32string>& items) {
  if (area.Empty()) return;
  const int bottom = area.top + area.lines - 1;
  const int right = area.left + area.columns - 1;
  PutCell(area.top, area.left, WACS_ULCORNER);
  PutCell(area.top, right, WACS_URCORNER);
  PutCell(bottom, area.left, WACS_LLCORNER);
  PutCell(bottom, right, WACS_LRCORNER);
  mvwhline_set(stdscr, area.top, area.left + 1, WACS_HLINE, area.columns - 2);
  mvwhline_set(stdscr, bottom, area.left + 1, WACS_HLINE, area.columns - 2);
  mvwvline_set(stdscr, area.top + 1, area.left, WACS_VLINE, area.lines - 2);
  mvwvline_set(stdscr, area.top + 1, right, WACS_VLINE, area.lines - 2);
  PutText(area.top, area.left + 2, area.columns - 4,
          std::u32string(U" ") + std::u32string(kInventoryTitle) + U" ");
  const int shown = std::min(static_cast<int>(items.size()), area.lines - 2);
  for (int i = 0; i < shown; ++i) {
    PutText(area.top + 1 + i, area.left + 2, area.columns - 3, items[static_cast<std::size_t>(i)]);
  }
}

void TermScreen::DrawPicture(const TermArea& area, const TermSession& session) {
  if (area.Empty() || session.Picture().empty()) return;
  const auto picture = pictures_.Get(session.DataFolder() / session.Picture(), area.columns, area.lines);
  const int top = area.top + (area.lines - picture->lines) / 2;
  const int left = area.left + (area.columns - picture->columns) / 2;
  for (int y = 0; y < picture->lines; ++y) {
    for (int x = 0; x < picture->columns; ++x) {
      const PictureCell& cell = picture->At(x, y);
      const bool oneColumn = !IsControl(cell.symbol) && CellWidth(cell.symbol) == 1;
      const wchar_t symbol[2] = {static_cast<wchar_t>(oneColumn ? cell.symbol : U' '), L'\0'};
      int pair = Pair(cell.foreground, cell.background);
      cchar_t shown;
      setcchar(&shown, symbol, A_NORMAL, 0, &pair);
      PutCell(top + y, left + x, &shown);
    }
  }
}

}  // namespace vortila
