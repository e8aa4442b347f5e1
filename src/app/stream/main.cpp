#include <iostream>
#include <string>
#include <vector>

#include "app/launch/folders.h"
#include "app/launch/options.h"
#include "app/stream/stream_session.h"
#include "world/files.h"

// vortila-stream: the game on standard input and output, for scripts, tests, pipes and
// screen readers.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const vortila::LaunchOptions options =
      vortila::ReadLaunchOptions(std::vector<std::string>(argv + 1, argv + argc));
  const vortila::ProgramAbout about{
      "vortila-stream", "Il gioco come flusso di testo: ogni riga dell'input è un comando."};
  if (const auto status = vortila::AnswerLaunchOptions(options, about, std::cout, std::cerr)) {
    return *status;
  }
  try {
    vortila::StreamSession session(std::cout, vortila::PrepareFolders(options));
    session.Start();
    std::string line;
    while (!session.Ended() && std::getline(std::cin, line)) session.Enter(line);
    session.Close();
    if (!session.Problem().empty()) {
      std::cerr << session.Problem() << '\n';
      return 1;
    }
  } catch (const vortila::StartupError& error) {
    std::cout.flush();
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
