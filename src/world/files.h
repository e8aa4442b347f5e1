#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vortila {

// A problem that stops the game from starting: the message names the file and the place,
// in the player's language, and is told once by the front end.
struct StartupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// No picture of the game comes near this; a file beyond it is not read into memory.
inline constexpr std::uintmax_t kLargestPictureFile = 32 << 20;

// The bytes of a regular file of at most `largest` bytes, or nothing when it is missing,
// cannot be read, is larger, or is not a regular file. It is opened without waiting, so
// that a name that turns out to be a FIFO or a terminal can neither hang the game nor take
// the player's keys.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::uintmax_t largest);

// The text that a file's bytes hold, cleaned as all text from outside is (CleanText:
// well-formed UTF-8, no control characters but its line ends), without the byte-order mark
// that an editor may have put in front, so that it is not taken for part of an item.
std::string TextOfFile(std::string bytes);

// The text of a regular file (ReadRegularFile, TextOfFile), or nothing.
std::optional<std::string> ReadTextFile(
    const std::filesystem::path& path,
    std::uintmax_t largest = std::numeric_limits<std::uintmax_t>::max());

// Whether `name` names a file by itself, with no folder in it: a picture is only ever
// looked for in the game's own folder.
bool IsPlainFileName(std::string_view name);

// The text of a file the game cannot start without, from `folder`; a missing or unreadable
// one throws StartupError naming it, and naming the folder unless it is the current one.
std::string ReadRequiredFile(const std::filesystem::path& folder, std::string_view fileName);

// Throws the same StartupError as ReadRequiredFile when the file is missing or cannot be
// opened, without reading it.
void RequireReadableFile(const std::filesystem::path& folder, std::string_view fileName);

// How writing a file ended, told apart as far as the player can do something about it.
enum class WriteOutcome {
  kWritten,
  kBadPath,       // a folder that does not exist, a folder where the file should be
  kNameTooLong,
  kReadOnlyFile,  // the file is there and may not be written: it is left as it is
  kNoPermission,  // the folder may not be written in
  kNoSpace,       // the disk is full, or the file would pass a limit set on its size
  kFailed,        // anything else the system reports
};

// Writes `contents` to a temporary file beside `path` and renames it over `path` only when
// it is complete and on the disk, so a failed write never leaves a half-written or emptied
// file behind: `path` is as it was unless kWritten is returned. The temporary file is
// created new, under a name nobody can foresee, so that no link planted beside the file
// can turn the write elsewhere. A file that has been made read-only is not replaced, and a
// file that is replaced keeps its permissions.
WriteOutcome WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace vortila
