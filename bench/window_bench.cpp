#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/qt/output_window.h"
#include "app/qt/story_pane.h"

// Timings of the desktop window, on whatever display Qt is given: from the launch of the
// process to the first frame drawn, and from Enter to the frame that shows the answer, for
// an ordinary command and for a command whose answer fills a page, and from Ctrl+Z to the
// frame that shows the game a turn back. Then the memory that the story's scrollback takes
// when it is full.
//
//   vortila_window_bench FOLDER [LAUNCHED]
//
// FOLDER holds the game's data; LAUNCHED is the wall-clock time of the launch in
// microseconds since the epoch (bash: ${EPOCHREALTIME/./}), without which the first
// frame is timed from the start of main.
namespace {

using Clock = std::chrono::system_clock;

long long MicrosecondsNow() {
  return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now().time_since_epoch())
      .count();
}

// A frame is done when the outermost event whose handling painted something returns: by
// then the window's backing store has been drawn and handed to the display.
class FrameTimingApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    ++depth_;
    if (event->type() == QEvent::Paint) painted_ = true;
    const bool handled = QApplication::notify(receiver, event);
    if (--depth_ == 0 && painted_) {
      painted_ = false;
      lastFrame = MicrosecondsNow();
      ++frames;
    }
    return handled;
  }

  // Handles events until a frame after the `seen`-th is done, or a second has passed.
  bool WaitForFrame(int seen) {
    const long long deadline = MicrosecondsNow() + 1'000'000;
    while (frames <= seen && MicrosecondsNow() < deadline) processEvents();
    return frames > seen;
  }

  long long lastFrame = 0;
  int frames = 0;

 private:
  int depth_ = 0;
  bool painted_ = false;
};

void PressEnter(QLineEdit* box) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(box, &press);
}

// Microseconds from `act` to the end of the frame that shows what it did, or nothing when
// no frame comes.
std::optional<long long> TimeToFrame(FrameTimingApplication& app,
                                     const std::function<void()>& act) {
  const int frames = app.frames;
  const long long started = MicrosecondsNow();
  act();
  if (!app.WaitForFrame(frames)) return std::nullopt;
  return app.lastFrame - started;
}

// Microseconds from Enter to the answer's frame, `runs` times over.
std::vector<long long> TimeCommand(FrameTimingApplication& app, vortila::OutputWindow& window,
                                   QLineEdit* box, const std::string& command, int runs) {
  std::vector<long long> times;
  for (int run = 0; run < runs; ++run) {
    // Each run is the first turn of play again, so that the air never runs out meanwhile.
    window.game().world.StoryClock = 6;
    window.SetTextInput(command);
    app.WaitForFrame(app.frames);  // the box's new text, which the player typed beforehand
    const auto time = TimeToFrame(app, [&] { PressEnter(box); });
    if (!time) break;
    times.push_back(*time);
    while (box->text() == "(premi INVIO)") PressEnter(box);
  }
  std::sort(times.begin(), times.end());
  return times;
}

// Microseconds from Ctrl+Z, which triggers the menu's entry "Annulla mossa", to the frame
// that shows the game a turn back, `runs` times over. Each run lights the torch and takes it
// back, so that the picture changes too.
std::vector<long long> TimeUndo(FrameTimingApplication& app, vortila::OutputWindow& window,
                                QLineEdit* box, int runs) {
  QAction* undo = window.findChild<QAction*>("AnnullaMossa");
  std::vector<long long> times;
  for (int run = 0; run < runs; ++run) {
    window.game().world.StoryClock = 6;
    window.SetTextInput("accendi la torcia");
    PressEnter(box);
    app.WaitForFrame(app.frames);
    const auto time = TimeToFrame(app, [&] { undo->trigger(); });
    if (!time) break;
    times.push_back(*time);
  }
  std::sort(times.begin(), times.end());
  return times;
}

void Report(const char* what, const std::vector<long long>& times) {
  if (times.empty()) return;
  std::printf("%-42s median %7.3f ms   95th percentile %7.3f ms   (%zu runs)\n", what,
              times[times.size() / 2] / 1000.0, times[times.size() * 95 / 100] / 1000.0,
              times.size());
}

long long HeapInUse() { return static_cast<long long>(mallinfo2().uordblks); }

// The heap the story pane takes for a full scrollback of the game's own kind of line, right
// after the lines came in and once the player has scrolled back through all of them, which
// lays every line out.
void MeasureScrollback(FrameTimingApplication& app, vortila::OutputWindow& window) {
  const std::string line = "Intorno a te c'è soltanto un buio fitto, che sembra inghiottire";
  auto* story = window.findChild<vortila::StoryPane*>("Textlines");
  app.processEvents();
  const long long before = HeapInUse();
  for (int count = 0; count < vortila::kScrollbackLines + vortila::kScreenRows; ++count) {
    window.ScrollTextlines();
    window.SetTextline(vortila::kBottomRow, line);
  }
  app.processEvents();
  const long long filled = HeapInUse();
  QScrollBar* scrolling = story->verticalScrollBar();
  for (int value = scrolling->maximum(); value >= 0; value -= scrolling->pageStep()) {
    scrolling->setValue(value);
    story->viewport()->repaint();
  }
  const long long scrolled = HeapInUse();
  std::printf("%-42s %7.2f MB (%d lines of %zu bytes)\n", "scrollback full, as it came in",
              (filled - before) / 1e6, vortila::kScrollbackLines, line.size());
  std::printf("%-42s %7.2f MB\n", "scrollback full, every line scrolled past",
              (scrolled - before) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const long long started = MicrosecondsNow();
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [LAUNCHED]\n", argv[0]);
    return 2;
  }
  const long long launched = argc > 2 ? std::atoll(argv[2]) : started;
  FrameTimingApplication app(argc, argv);
  vortila::OutputWindow window{std::filesystem::path(argv[1])};
  window.Start();
  if (!app.WaitForFrame(0)) return 1;
  std::printf("%-42s %7.3f ms (%s)\n", "launch to the first frame",
              (app.lastFrame - launched) / 1000.0, argc > 2 ? "from exec" : "from main");

  auto* box = window.findChild<QLineEdit*>("TextInput");
  while (box->text() == "(premi INVIO)") PressEnter(box);
  Report("Enter to the answer, an ordinary command", TimeCommand(app, window, box, "guarda", 300));
  std::string long_command;
  for (int word = 0; word < 200; ++word) long_command += "avanti ";
  Report("Enter to the answer, a full page", TimeCommand(app, window, box, long_command, 100));
  Report("Ctrl+Z to the game a turn back", TimeUndo(app, window, box, 300));
  MeasureScrollback(app, window);
  window.close();
  return 0;
}
