#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>

#include "world/files.h"

namespace vortila::testing {

void RecordingWindow::ScrollTextlines() {
  std::rotate(rows.begin(), rows.begin() + 1, rows.end());
  rows.back() = rows[rows.size() - 2];
}

TempFolder::TempFolder() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("vortila-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

TempFolder& TempFolder::WithGameData() {
  for (const auto& entry : std::filesystem::directory_iterator(VORTILA_DATA_DIR)) {
    std::filesystem::copy_file(entry.path(), path_ / entry.path().filename());
  }
  // The pictures' descriptions are kept beside their drawings, and copied beside them.
  std::filesystem::copy_file(std::filesystem::path(VORTILA_ART_DIR) / "descrizioni.txt",
                             path_ / "descrizioni.txt");
  return *this;
}

void TempFolder::Write(std::string_view name, std::string_view contents) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out << contents;
}

std::string TempFolder::Read(std::string_view name) const {
  return ReadTextFile(path_ / name).value_or("");
}

bool TempFolder::Has(std::string_view name) const { return std::filesystem::exists(path_ / name); }

}  // namespace vortila::testing
