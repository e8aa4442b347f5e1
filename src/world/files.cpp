#include "world/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

#include "text/utf8.h"

namespace vortila {

namespace {

// Closes a file descriptor however the function that opened it returns.
class OpenFile {
 public:
  OpenFile() = default;
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  ~OpenFile() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(OpenFile&& other) noexcept {
    std::swap(descriptor_, other.descriptor_);
    return *this;
  }

  int get() const { return descriptor_; }

 private:
  int descriptor_ = -1;
};

// Opens `path` for reading without waiting, as a FIFO or a terminal would make an ordinary
// open wait, and tells whether it is a regular file of at most `largest` bytes.
bool OpenRegularFile(const std::filesystem::path& path, std::uintmax_t largest, OpenFile& file) {
  file = OpenFile(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status {};
  return file.get() >= 0 && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) &&
         static_cast<std::uintmax_t>(status.st_size) <= largest;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::uintmax_t largest) {
  OpenFile file;
  if (!OpenRegularFile(path, largest, file)) return std::nullopt;
  // The file may change while it is read: it is read to its end, but never beyond `largest`.
  std::string contents;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got == 0) return contents;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 || contents.size() + static_cast<std::size_t>(got) > largest) {
      return std::nullopt;
    }
    contents.append(buffer, static_cast<std::size_t>(got));
  }
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path,
                                        std::uintmax_t largest) {
  const std::optional<std::string> contents = ReadRegularFile(path, largest);
  if (!contents) return std::nullopt;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string_view text = *contents;
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

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

std::string ReadRequiredFile(const std::filesystem::path& folder, std::string_view fileName) {
  auto contents = ReadTextFile(folder / fileName);
  if (!contents) throw MissingFile(folder, fileName);
  return std::move(*contents);
}

void RequireReadableFile(const std::filesystem::path& folder, std::string_view fileName) {
  OpenFile file;
  if (!OpenRegularFile(folder / fileName, std::numeric_limits<std::uintmax_t>::max(), file)) {
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
