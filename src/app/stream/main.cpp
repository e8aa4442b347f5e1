#include <iostream>
#include <string>

#include "app/stream/stream_session.h"
#include "world/files.h"

// vortila-stream: the game on standard input and output, for scripts, tests, pipes and
// screen readers. It plays in the current directory.
int main() {
  std::ios::sync_with_stdio(false);
  vortila::StreamSession session(std::cout, ".");
  try {
    session.Start();
    std::string line;
    while (!session.Ended() && std::getline(std::cin, line)) session.Enter(line);
    session.Close();
  } catch (const vortila::StartupError& error) {
    std::cout.flush();
    std::cerr << error.what() << '\n';
    return 1;
  }
  if (!session.Problem().empty()) {
    std::cerr << session.Problem() << '\n';
    return 1;
  }
  return 0;
}
