#pragma once

#include <string>
#include <string_view>

#include "screen/window.h"

namespace vortila {

// A window that shows nothing and keeps only its command box: enough to drive the game
// where nobody looks at it, as benchmarks and fuzzing do.
class HeadlessWindow : public Window {
 public:
  void ScrollTextlines() override {}
  void SetTextline(int, std::string_view) override {}
  std::string TextInput() const override { return commandBox; }
  void SetTextInput(std::string_view text) override { commandBox = text; }
  void SetInventarietto(std::string_view) override {}
  void ShowImmagine(std::string_view, std::string_view) override {}
  void ShowOutput() override {}
  WindowSettings CurrentSettings() const override { return kDefaultWindowSettings; }
  void ApplySettings(WindowSettings) override {}
  void EndProgram(std::string_view) override {}

  std::string commandBox;
};

}  // namespace vortila
