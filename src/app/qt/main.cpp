#include <QApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/launch/folders.h"
#include "app/launch/options.h"
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

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

// vortila: the game in its own window.
int main(int argc, char** argv) {
  const vortila::ProgramAbout about{"vortila", "Il gioco nella sua finestra."};
  // --help and --version answer where there is no display, so before Qt needs one.
  const vortila::LaunchOptions asked = vortila::ReadLaunchOptions(Arguments(argc, argv));
  if (asked.action == vortila::LaunchOptions::Action::kHelp ||
      asked.action == vortila::LaunchOptions::Action::kVersion) {
    return *vortila::AnswerLaunchOptions(asked, about, std::cout, std::cerr);
  }
  QApplication application(argc, argv);
  // Lets the desktop match the window with its menu entry and icon.
  QGuiApplication::setDesktopFileName(VORTILA_APP_ID);
  // Qt has taken its own options (-platform, -style, ...) out of argv by now.
  const vortila::LaunchOptions options = vortila::ReadLaunchOptions(Arguments(argc, argv));
  if (const auto status = vortila::AnswerLaunchOptions(options, about, std::cout, std::cerr)) {
    return *status;
  }
  // The game speaks Italian whatever the desktop's language, and so do Qt's own texts in
  // its window: the file dialogs, the confirmations, the command box's menu.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Italian, QLocale::Italy), "qtbase", "_",
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }
  // The game ends itself, through the close path or the quit command, once it has saved
  // what it keeps.
  QApplication::setQuitOnLastWindowClosed(false);
  std::optional<vortila::OutputWindow> window;
  try {
    window.emplace(vortila::PrepareFolders(options));
    window->Start();
  } catch (const vortila::StartupError& error) {
    if (window) window->hide();
    TellPlayer(error.what());
    return 1;
  }
  QApplication::exec();
  if (!window->Problem().empty()) {
    window->hide();
    TellPlayer(window->Problem());
    return 1;
  }
  return 0;
}
