#include "world/files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "text/utf8.h"

namespace vortila {

std::optional<std::string> ReadTextFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string_view text = contents;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return CleanText(text, LineEnds::kKept);
}

namespace {

StartupError MissingFile(const std::filesystem::path& folder, std::string_view fileName) {
  // A game played in its current folder says so; any other folder is named, since the data
  // and the player's files may then lie in two different places.
  const std::string where = folder == "." ? "del gioco" : folder.string();
  return StartupError(std::string(fileName) +
                      ": il file manca o non si può leggere; deve stare nella cartella " + where +
                      ".");
}

}  // namespace

std::string ReadRequiredFile(const std::filesystem::path& folder, std::string_view fileName) {
  auto contents = ReadTextFile(folder / fileName);
  if (!contents) throw MissingFile(folder, fileName);
  return std::move(*contents);
}

void RequireReadableFile(const std::filesystem::path& folder, std::string_view fileName) {
  std::error_code error;
  const std::filesystem::path path = folder / fileName;
  if (!std::filesystem::is_regular_file(path, error) || !std::ifstream(path, std::ios::binary)) {
    throw MissingFile(folder, fileName);
  }
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace vortila
