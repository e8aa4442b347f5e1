#include <benchmark/benchmark.h>
#include <curses.h>
#include <malloc.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "app/keys.h"
#include "app/term/picture.h"
#include "app/term/term_screen.h"
#include "app/term/term_session.h"
#include "png_writer.h"

// The terminal front end from a key to the terminal brought up to date, with a picture in
// the pane: the session handles the key (the game's key handlers included), then the screen
// is drawn and ncurses writes what changed, escape sequences and all, to /dev/null.
namespace vortila {
namespace {

constexpr int kLines = 40;
constexpr int kColumns = 140;

// A picture of the size the game's pictures have, with enough detail to cost chafa work.
void WritePicture(const std::filesystem::path& file) {
  testing::WritePng(file, 320, 200, [](int x, int y) {
    const bool disc = (x - 160) * (x - 160) + (y - 100) * (y - 100) < 60 * 60;
    return testing::Rgb{static_cast<std::uint8_t>(x * 255 / 320),
                        static_cast<std::uint8_t>(y * 255 / 200),
                        static_cast<std::uint8_t>(disc ? 230 : 40)};
  });
}

// A game folder of its own, past its introduction, on a 256-colour terminal of 140 x 40.
class TermBench {
 public:
  TermBench()
      : folder_(std::filesystem::temp_directory_path() /
                ("vortila-term-bench-" + std::to_string(getpid()))) {
    std::setlocale(LC_ALL, "C.UTF-8");
    std::filesystem::create_directories(folder_);
    for (const auto& entry : std::filesystem::directory_iterator(VORTILA_DATA_DIR)) {
      std::filesystem::copy_file(entry.path(), folder_ / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    WritePicture(folder_ / "007.pkd");
    session_.emplace(folder_);
    screen_.emplace(in_, out_, "xterm-256color");
    resizeterm(kLines, kColumns);
    session_->Start();
    while (session_->TextInput() == kPagePrompt) Key({TermKey::kEnter});
  }
  ~TermBench() {
    screen_.reset();
    session_.reset();
    std::fclose(in_);
    std::fclose(out_);
    std::filesystem::remove_all(folder_);
  }

  void Key(TermKey key) {
    session_->HandleKey(key);
    screen_->Draw(*session_);
  }
  TermSession& session() { return *session_; }

 private:
  std::filesystem::path folder_;
  std::FILE* in_ = std::fopen("/dev/null", "r");
  std::FILE* out_ = std::fopen("/dev/null", "w");
  std::optional<TermSession> session_;
  std::optional<TermScreen> screen_;
};

void TypedLetterToScreen(benchmark::State& state) {
  TermBench bench;
  for (auto _ : state) {
    bench.Key({TermKey::kCharacter, U'a'});
    if (bench.session().Line().Cursor() >= 40) bench.Key({TermKey::kClearLine});
  }
}
BENCHMARK(TypedLetterToScreen);

// An ordinary command: Enter on "guarda", which scrolls the text; typing it is not timed.
void CommandToScreen(benchmark::State& state) {
  TermBench bench;
  for (auto _ : state) {
    state.PauseTiming();
    // Each run is the first turn of play again, so that the air never runs out meanwhile.
    bench.session().game().world.StoryClock = 6;
    for (const char32_t c : std::u32string_view(U"guarda")) bench.Key({TermKey::kCharacter, c});
    state.ResumeTiming();
    bench.Key({TermKey::kEnter});
  }
}
BENCHMARK(CommandToScreen);

// The heap that reading back keeps once it holds all it keeps: the session's lines of the
// length the game prints, measured as what letting the session go gives back.
void MemoryOfTheScrollback(benchmark::State& state) {
  const std::string line(kWrapWidth, 'x');
  for (auto _ : state) {
    std::optional<TermSession> session;
    session.emplace(std::filesystem::path("."));
    for (std::size_t row = 0; row < kScrollbackLines + kScreenRows; ++row) {
      session->ScrollTextlines();
      session->SetTextline(kBottomRow, line);
    }
    const std::size_t full = mallinfo2().uordblks;
    state.counters["lines"] = static_cast<double>(session->ScrollbackSize());
    session.reset();
    const double bytes = static_cast<double>(full - mallinfo2().uordblks);
    state.counters["bytes"] = bytes;
    state.counters["bytes_per_line"] = bytes / static_cast<double>(kScrollbackLines);
  }
}
BENCHMARK(MemoryOfTheScrollback)->Iterations(1)->Unit(benchmark::kMillisecond);

// A page back through the session, drawn: what PgUp costs.
void PageUpToScreen(benchmark::State& state) {
  TermBench bench;
  for (auto _ : state) {
    bench.Key({TermKey::kPageUp});
    state.PauseTiming();
    bench.Key({TermKey::kPageDown});
    state.ResumeTiming();
  }
}
BENCHMARK(PageUpToScreen);

// What a new picture, or a new pane size, costs once before the cache holds it.
void ConvertPictureForPane(benchmark::State& state) {
  const auto file = std::filesystem::temp_directory_path() /
                    ("vortila-term-bench-" + std::to_string(getpid()) + ".pkd");
  WritePicture(file);
  for (auto _ : state) {
    const auto image = ReadPicture(file);
    benchmark::DoNotOptimize(
        ConvertPicture(*image, kColumns - kTermTextColumns - 1, 26 - 5, ColourDepth::k256, true));
  }
  std::filesystem::remove(file);
}
BENCHMARK(ConvertPictureForPane)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vortila

BENCHMARK_MAIN();
