#include "world/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
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

std::string TextOfFile(std::string bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  return CleanText(std::move(bytes), LineEnds::kKept);
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path,
                                        std::uintmax_t largest) {
  std::optional<std::string> contents = ReadRegularFile(path, largest);
  if (!contents) return std::nullopt;
  return TextOfFile(std::move(*contents));
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

namespace {

WriteOutcome OutcomeOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EISDIR:
    case ELOOP:
    case EINVAL:
      return WriteOutcome::kBadPath;
    case ENAMETOOLONG:
      return WriteOutcome::kNameTooLong;
    case EACCES:
    case EPERM:
    case EROFS:
      return WriteOutcome::kNoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return WriteOutcome::kNoSpace;
    default:
      return WriteOutcome::kFailed;
  }
}

// A name in `folder` that no one can have prepared a link under beforehand.
std::filesystem::path UnforeseeableName(const std::filesystem::path& folder) {
  static std::random_device source;
  std::uniform_int_distribution<std::uint64_t> any;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(any(source)));
  return folder / (std::string(".vortila-") + digits + ".tmp");
}

// Creates a new file beside `path` for writing, never opening one that is already there;
// `mode` gives its permissions.
int CreateTemporaryFile(const std::filesystem::path& path, mode_t mode,
                        std::filesystem::path& temporary) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = UnforeseeableName(folder);
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

bool WriteAll(int descriptor, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(descriptor, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool IsReadOnly(const std::filesystem::path& path, const struct stat& status) {
  // Permissions alone, since the system lets its administrator write anywhere.
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

WriteOutcome WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
  struct stat status {};
  const bool replaces = ::stat(path.c_str(), &status) == 0;
  if (replaces && S_ISDIR(status.st_mode)) return WriteOutcome::kBadPath;
  if (replaces && IsReadOnly(path, status)) return WriteOutcome::kReadOnlyFile;
  std::filesystem::path temporary;
  const OpenFile file(CreateTemporaryFile(path, 0666, temporary));
  if (file.get() < 0) return OutcomeOf(errno);
  const bool written = (!replaces || ::fchmod(file.get(), status.st_mode & 07777) == 0) &&
                       WriteAll(file.get(), contents) && ::fsync(file.get()) == 0 &&
                       ::rename(temporary.c_str(), path.c_str()) == 0;
  if (written) return WriteOutcome::kWritten;
  const int error = errno;
  ::unlink(temporary.c_str());
  return OutcomeOf(error);
}

}  // namespace vortila
