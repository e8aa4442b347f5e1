#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/launch/folders.h"
#include "app/launch/options.h"
#include "app/stream/stream_session.h"
#include "world/files.h"

// vortila-stream: the game on standard input and output, for scripts, tests, pipes and
// screen readers. It reads and writes through plain file descriptors: the standard streams
// would bring their whole locale machinery into every start, which costs more than reading
// the game's data.
namespace {

// Whether the whole text was written.
bool WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(descriptor, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

constexpr std::string_view kOutputLost =
    "Non riesco a scrivere il testo del gioco sull'uscita standard: la partita finisce qui.\n";

// Standard input one line at a time, without its line end, however long the line: each
// byte is looked at once.
class InputLines {
 public:
  // Gives false at the end of input; a last line without its line end still counts.
  bool Next(std::string& line) {
    line.clear();
    bool read = false;
    while (Fill()) {
      read = true;
      const char* start = buffer_ + used_;
      const auto* end = static_cast<const char*>(std::memchr(start, '\n', filled_ - used_));
      if (end != nullptr) {
        line.append(start, end);
        used_ += static_cast<std::size_t>(end - start) + 1;
        return true;
      }
      line.append(start, filled_ - used_);
      used_ = filled_;
    }
    return read;
  }

 private:
  // Whether unread bytes are waiting, reading more when none are.
  bool Fill() {
    if (used_ < filled_) return true;
    ssize_t got;
    do {
      got = read(STDIN_FILENO, buffer_, sizeof buffer_);
    } while (got < 0 && errno == EINTR);
    used_ = 0;
    filled_ = got > 0 ? static_cast<std::size_t>(got) : 0;
    return filled_ > 0;
  }

  char buffer_[1 << 16];
  std::size_t used_ = 0;
  std::size_t filled_ = 0;
};

// --help, --version and a mistaken command line, answered through string streams made only
// then.
std::optional<int> AnswerLaunchOptions(const vortila::LaunchOptions& options) {
  if (options.action == vortila::LaunchOptions::Action::kPlay) return std::nullopt;
  const vortila::ProgramAbout about{
      "vortila-stream", "Il gioco come flusso di testo: ogni riga dell'input è un comando."};
  std::ostringstream out;
  std::ostringstream err;
  const auto status = vortila::AnswerLaunchOptions(options, about, out, err);
  WriteAll(STDOUT_FILENO, out.str());
  WriteAll(STDERR_FILENO, err.str());
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const vortila::LaunchOptions options =
      vortila::ReadLaunchOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status = AnswerLaunchOptions(options)) return *status;
  // A reader that has gone away is a failed write like a full disk, told the same way,
  // rather than a signal that ends the program without a word.
  std::signal(SIGPIPE, SIG_IGN);
  // What the game wrote in one key event goes out at its end, as one write. Once that fails
  // nobody sees the game any more: it is closed as its window would be, and the program
  // ends with a message and a failing status.
  std::string output;
  bool outputLost = false;
  const auto sendOutput = [&output, &outputLost] {
    if (!outputLost) outputLost = !WriteAll(STDOUT_FILENO, output);
    output.clear();
    return !outputLost;
  };
  try {
    vortila::StreamSession session(output, vortila::PrepareFolders(options));
    session.Start();
    InputLines input;
    std::string line;
    bool playing = sendOutput();
    while (playing && !session.Ended() && input.Next(line)) {
      session.Enter(line);
      playing = sendOutput();
    }
    session.Close();
    sendOutput();
    if (outputLost) WriteAll(STDERR_FILENO, kOutputLost);
    if (!session.Problem().empty()) WriteAll(STDERR_FILENO, session.Problem() + '\n');
    if (outputLost || !session.Problem().empty()) return 1;
  } catch (const vortila::StartupError& error) {
    sendOutput();
    WriteAll(STDERR_FILENO, std::string(error.what()) + '\n');
    return 1;
  }
  return 0;
}
