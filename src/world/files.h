#pragma once

#include <filesystem>
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

// The whole text of a regular file, or nothing when it is missing or cannot be read. The
// text is cleaned as all text from outside is (CleanText: well-formed UTF-8, no control
// characters but its line ends), and a byte-order mark that an editor may have put in front
// is dropped, so that it is not taken for part of an item.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);

// The text of a file the game cannot start without, from `folder`; a missing or unreadable
// one throws StartupError naming it, and naming the folder unless it is the current one.
std::string ReadRequiredFile(const std::filesystem::path& folder, std::string_view fileName);

// Throws the same StartupError as ReadRequiredFile when the file is missing or cannot be
// opened, without reading it.
void RequireReadableFile(const std::filesystem::path& folder, std::string_view fileName);

// Writes `contents` to a temporary file beside `path` and renames it over `path` only when
// it is complete, so a failed write never leaves a half-written or emptied file behind.
// Returns false (and leaves `path` as it was) when anything fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace vortila
