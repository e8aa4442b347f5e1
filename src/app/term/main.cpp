#include <curses.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/launch/folders.h"
#include "app/launch/options.h"
#include "app/term/term_screen.h"
#include "app/term/term_session.h"
#include "world/files.h"

// vortila-term: the game full-screen in a terminal.
namespace {

// The one thing a signal handler may need: whether the terminal must be given back. A
// handler can reach nothing else, hence a variable of its own.
volatile std::sig_atomic_t terminalTaken = 0;

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT,
                                 SIGTERM, SIGHUP, SIGINT, SIGQUIT};
struct sigaction previousActions[NSIG];

// Whatever ends the program, the player's terminal must not be left without echo, in raw
// mode or on the alternate screen. The handler gives it back, then lets the signal do what
// it did before (a core dump, a sanitizer's report, the end of the process).
void RestoreTerminalAndRaise(int signal) {
  if (terminalTaken) endwin();
  terminalTaken = 0;
  sigaction(signal, &previousActions[signal], nullptr);
  raise(signal);
}

void RestoreTerminalOnSignals() {
  struct sigaction action {};
  action.sa_handler = RestoreTerminalAndRaise;
  sigemptyset(&action.sa_mask);
  for (const int signal : kFatalSignals) sigaction(signal, &action, &previousActions[signal]);
}

// Stopped as a shell's job (a TSTP signal), the game gives the terminal back to the shell
// first, then stops. Resumed, it returns to the key it was waiting for, whose wait the
// signal interrupts (no SA_RESTART), so that it draws itself again at once at the size the
// terminal has by then (TermScreen::ReadKey). Installed before the screen takes the
// terminal, so that ncurses leaves stopping to it.
void GiveBackTheTerminalAndStop(int) {
  const int error = errno;
  if (terminalTaken) endwin();
  struct sigaction stop {};
  stop.sa_handler = SIG_DFL;
  sigemptyset(&stop.sa_mask);
  struct sigaction self {};
  sigaction(SIGTSTP, &stop, &self);
  sigset_t stopSignal;
  sigemptyset(&stopSignal);
  sigaddset(&stopSignal, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stopSignal, nullptr);
  raise(SIGTSTP);
  sigaction(SIGTSTP, &self, nullptr);
  errno = error;
}

void GiveBackTheTerminalWhenStopped() {
  struct sigaction action {};
  action.sa_handler = GiveBackTheTerminalAndStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTSTP, &action, nullptr);
}

// Marks the terminal as taken for the signal handler, for as long as the screen holds it.
struct TerminalTaken {
  TerminalTaken() { terminalTaken = 1; }
  ~TerminalTaken() { terminalTaken = 0; }
  TerminalTaken(const TerminalTaken&) = delete;
  TerminalTaken& operator=(const TerminalTaken&) = delete;
};

void Play(vortila::TermSession& session) {
  vortila::TermScreen screen(stdin, stdout);
  const TerminalTaken taken;
  while (!session.Ended()) {
    screen.Draw(session);
    const vortila::TermKey key = screen.ReadKey();
    if (key.kind == vortila::TermKey::kRepaint) screen.Repaint();
    session.HandleKey(key);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const vortila::LaunchOptions options =
      vortila::ReadLaunchOptions(std::vector<std::string>(argv + 1, argv + argc));
  const vortila::ProgramAbout about{"vortila-term",
                                    "Il gioco a tutto schermo in un terminale, immagini comprese."};
  if (const auto status = vortila::AnswerLaunchOptions(options, about, std::cout, std::cerr)) {
    return *status;
  }
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
    std::cerr << "vortila-term gioca in un terminale; per un flusso di testo c'è vortila-stream.\n";
    return 1;
  }
  try {
    vortila::TermSession session(vortila::PrepareFolders(options));
    // The game starts before the terminal is taken, so that a start-up failure is told on a
    // terminal left as it was.
    session.Start();
    RestoreTerminalOnSignals();
    GiveBackTheTerminalWhenStopped();
    Play(session);
    if (!session.Problem().empty()) {
      std::cerr << session.Problem() << '\n';
      return 1;
    }
  } catch (const std::exception& error) {
    // The screen has been given back by now: the message is read on the terminal as it was.
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
