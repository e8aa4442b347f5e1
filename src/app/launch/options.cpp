#include "app/launch/options.h"

namespace vortila {

namespace {

// The status of a command line the program cannot follow, as command-line tools use it.
constexpr int kMistakeStatus = 2;

// The arguments with each "--name=value" split in two, so that it reads as "--name value".
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& arguments) {
  std::vector<std::string> split;
  for (const std::string& argument : arguments) {
    const std::size_t equals = argument.find('=');
    if (argument.starts_with("--") && equals != std::string::npos) {
      split.push_back(argument.substr(0, equals));
      split.push_back(argument.substr(equals + 1));
    } else {
      split.push_back(argument);
    }
  }
  return split;
}

void PrintHelp(const ProgramAbout& about, std::ostream& out) {
  out << "Uso: " << about.name << " [--data CARTELLA] [--saves CARTELLA]\n"
      << "La Vortila, avventura testuale di fantascienza in italiano:\n"
      << about.summary
      << "\n\n"
         "Opzioni:\n"
         "  --data CARTELLA    legge i file del gioco (000.pkd, 010.pkd, le immagini)\n"
         "                     da CARTELLA\n"
         "  --saves CARTELLA   tiene i file del giocatore (iniziale.ini, le partite\n"
         "                     salvate, Debug.txt) in CARTELLA, che deve esistere\n"
         "  --help             mostra questo aiuto ed esce\n"
         "  --version          mostra la versione ed esce\n"
         "\n"
         "Avviato in una cartella che contiene i file del gioco, il gioco legge e scrive\n"
         "lì. Altrimenti legge i file installati con il programma (share/vortila) e tiene\n"
         "i file del giocatore in $XDG_DATA_HOME/vortila, di solito ~/.local/share/vortila,\n"
         "che crea al primo avvio.\n";
}

}  // namespace

LaunchOptions ReadLaunchOptions(const std::vector<std::string>& arguments) {
  const std::vector<std::string> words = SplitOptionValues(arguments);
  LaunchOptions options;
  bool help = false;
  bool version = false;
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string& word = words[at];
    std::string mistake;
    if (word == "--help" || word == "-h") {
      help = true;
    } else if (word == "--version") {
      version = true;
    } else if (word == "--data" || word == "--saves") {
      if (at + 1 < words.size() && !words[at + 1].empty()) {
        (word == "--data" ? options.data : options.saves) = words[++at];
      } else {
        mistake = "l'opzione " + word + " vuole il nome di una cartella";
        ++at;
      }
    } else {
      mistake =
          word.starts_with("-") ? "opzione sconosciuta: " + word : "argomento inatteso: " + word;
    }
    if (options.mistake.empty()) options.mistake = mistake;
  }
  if (help) {
    options.action = LaunchOptions::Action::kHelp;
  } else if (version) {
    options.action = LaunchOptions::Action::kVersion;
  } else if (!options.mistake.empty()) {
    options.action = LaunchOptions::Action::kMistake;
  }
  return options;
}

std::optional<int> AnswerLaunchOptions(const LaunchOptions& options, const ProgramAbout& about,
                                       std::ostream& out, std::ostream& err) {
  switch (options.action) {
    case LaunchOptions::Action::kPlay:
      return std::nullopt;
    case LaunchOptions::Action::kHelp:
      PrintHelp(about, out);
      return 0;
    case LaunchOptions::Action::kVersion:
      out << about.name << " (La Vortila) " << VORTILA_VERSION << '\n';
      return 0;
    case LaunchOptions::Action::kMistake:
      err << about.name << ": " << options.mistake << ".\n"
          << "Per l'aiuto: " << about.name << " --help\n";
      return kMistakeStatus;
  }
  return kMistakeStatus;
}

}  // namespace vortila
