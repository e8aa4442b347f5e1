#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <iostream>
#include <string_view>

#include "app/qt/output_window.h"
#include "world/files.h"

namespace {

// A problem the screen can no longer show: on standard error, and in a message box
// wherever there is a screen to show one on.
void TellPlayer(std::string_view problem) {
  std::cerr << problem << '\n';
  const QString platform = QGuiApplication::platformName();
  if (platform == "offscreen" || platform == "minimal") return;
  QMessageBox::critical(nullptr, "La Vortila",
                        QString::fromUtf8(problem.data(), static_cast<qsizetype>(problem.size())));
}

}  // namespace

// vortila: the game in its own window. It plays in the current directory.
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The game ends itself, through the close path or the quit command, once it has saved
  // what it keeps.
  QApplication::setQuitOnLastWindowClosed(false);
  vortila::OutputWindow window(".");
  try {
    window.Start();
  } catch (const vortila::StartupError& error) {
    window.hide();
    TellPlayer(error.what());
    return 1;
  }
  QApplication::exec();
  if (!window.Problem().empty()) {
    window.hide();
    TellPlayer(window.Problem());
    return 1;
  }
  return 0;
}
