#pragma once

#include <filesystem>
#include <string_view>

#include "world/world.h"

// The world is read from two text files at every start and restart: 010.pkd (verbs) and
// 000.pkd (objects). A file that is missing or malformed throws StartupError naming the
// file, the record, the item and the line.
namespace vortila {

inline constexpr std::string_view kVerbFileName = "010.pkd";
inline constexpr std::string_view kObjectFileName = "000.pkd";

// Fill the table from the contents of a file; `fileName` is only used in error messages.
// Slots past the last record keep what they held.
void ReadVerbs(VerbTable& verbs, std::string_view contents, std::string_view fileName);
void ReadObjects(ObjectTable& objects, std::string_view contents, std::string_view fileName);

// Read 010.pkd and 000.pkd from the data folder.
void LoadVerbs(VerbTable& verbs, const std::filesystem::path& folder);
void LoadObjects(ObjectTable& objects, const std::filesystem::path& folder);

}  // namespace vortila
