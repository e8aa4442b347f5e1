#include "app/launch/folders.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "app/startup.h"
#include "world/data_files.h"
#include "world/files.h"

namespace vortila {

namespace {

bool HoldsDataFile(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::exists(folder / kVerbFileName, error) ||
         std::filesystem::exists(folder / kObjectFileName, error);
}

// The data lies at a fixed place relative to the installed program, so that an installation
// under any prefix (a package's /usr, a test's temporary folder) finds its own.
std::filesystem::path InstalledDataFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return VORTILA_INSTALLED_DATA;
  return (program.parent_path() / VORTILA_DATA_FROM_PROGRAM).lexically_normal();
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return value;
}

// $XDG_DATA_HOME/vortila, or ~/.local/share/vortila when XDG_DATA_HOME is unset, empty or
// relative: the XDG convention asks that a relative value be ignored.
std::filesystem::path XdgPlayerFolder(const FolderPlaces& places) {
  if (places.xdgDataHome && std::filesystem::path(*places.xdgDataHome).is_absolute()) {
    return std::filesystem::path(*places.xdgDataHome) / "vortila";
  }
  if (places.home && !places.home->empty()) {
    return std::filesystem::path(*places.home) / ".local" / "share" / "vortila";
  }
  throw StartupError(
      "Non so dove tenere i file del giocatore: né XDG_DATA_HOME né HOME sono impostate. "
      "Indica una cartella con --saves CARTELLA.");
}

StartupError PlayerFolderError(const std::filesystem::path& folder, std::string_view problem) {
  return StartupError(folder.string() + ": " + std::string(problem) + ".");
}

// Whether a file can be created in `folder`. It is tried rather than deduced from permission
// bits, which tell nothing of a read-only file system or of folders that not even the
// superuser can write in.
bool CanWriteIn(const std::filesystem::path& folder) {
  std::string probe = (folder / ".vortila-prova-XXXXXX").string();
  const int descriptor = mkstemp(probe.data());
  if (descriptor < 0) return false;
  close(descriptor);
  unlink(probe.c_str());
  return true;
}

// The game needs iniziale.ini at every start: a new player's folder gets the one delivered
// with the data. Where there is none to copy (a play folder that lacks it), the start stops
// on the missing file, as it always has.
void SeedSettings(const GameFolders& folders) {
  const std::filesystem::path settings = folders.player / kSettingsFileName;
  std::error_code error;
  if (std::filesystem::exists(settings, error)) return;
  const std::optional<std::string> delivered = ReadTextFile(folders.data / kSettingsFileName);
  if (!delivered) return;
  if (WriteFileAtomically(settings, *delivered) != WriteOutcome::kWritten) {
    throw PlayerFolderError(settings, "non riesco a scrivere il file");
  }
}

}  // namespace

FolderPlaces PlacesOfThisProgram() {
  FolderPlaces places;
  places.current = ".";
  places.currentHoldsData = HoldsDataFile(places.current);
  places.installedData = InstalledDataFolder();
  places.xdgDataHome = Environment("XDG_DATA_HOME");
  places.home = Environment("HOME");
  return places;
}

GameFolders ChooseFolders(const LaunchOptions& options, const FolderPlaces& places) {
  if (places.currentHoldsData) {
    return {options.data.value_or(places.current), options.saves.value_or(places.current)};
  }
  return {options.data.value_or(places.installedData),
          options.saves ? *options.saves : XdgPlayerFolder(places)};
}

void PreparePlayerFolder(const GameFolders& folders, bool create) {
  const std::filesystem::path& folder = folders.player;
  std::error_code error;
  if (create && !std::filesystem::create_directories(folder, error) && error) {
    throw PlayerFolderError(folder, "non riesco a creare la cartella dei file del giocatore");
  }
  if (!std::filesystem::is_directory(folder, error)) {
    throw PlayerFolderError(folder, std::filesystem::exists(folder, error)
                                        ? "non è una cartella, e deve tenere i file del giocatore"
                                        : "la cartella dei file del giocatore non esiste");
  }
  if (!CanWriteIn(folder)) {
    throw PlayerFolderError(folder, "non posso scrivere nella cartella dei file del giocatore");
  }
  SeedSettings(folders);
}

GameFolders PrepareFolders(const LaunchOptions& options) {
  const GameFolders folders = ChooseFolders(options, PlacesOfThisProgram());
  // Looking for the data files first makes a start that cannot succeed stop before anything
  // is written, on the message the start itself would give.
  for (const std::string_view name : {kVerbFileName, kObjectFileName}) {
    RequireReadableFile(folders.data, name);
  }
  PreparePlayerFolder(folders, !options.saves.has_value());
  return folders;
}

}  // namespace vortila
