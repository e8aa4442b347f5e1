#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/game.h"
#include "app/keys.h"
#include "app/startup.h"

// Any bytes as lines typed into the command box of a game that has just begun, pressing
// Enter after each and turning every held page.
namespace {

class FuzzWindow : public vortila::Window {
 public:
  void ScrollTextlines() override {}
  void SetTextline(int, std::string_view) override {}
  std::string TextInput() const override { return box; }
  void SetTextInput(std::string_view text) override { box = text; }
  void SetInventarietto(std::string_view) override {}
  void ShowImmagine(std::string_view) override {}
  void ShowOutput() override {}
  vortila::WindowSettings CurrentSettings() const override { return {}; }
  void ApplySettings(vortila::WindowSettings) override {}
  void EndProgram(std::string_view) override {}
  std::string box;
};

void TurnHeldPages(vortila::Game& game, FuzzWindow& window) {
  while (window.box == vortila::kPagePrompt) vortila::KeyPress(game, vortila::kEnterKey);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWindow window;
  vortila::Game game(window, VORTILA_DATA_DIR);
  vortila::StartGame(game);
  TurnHeldPages(game, window);
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    window.box = std::string(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    vortila::KeyDown(game, window.box.empty() ? vortila::kUpKey : 'a');
    vortila::KeyPress(game, vortila::kEnterKey);
    TurnHeldPages(game, window);
  }
  return 0;
}
