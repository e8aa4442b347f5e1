#include "sandbox.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

extern "C" {
int __real_open(const char* path, int flags, ...);
int __real_rename(const char* from, const char* to);
int __real_unlink(const char* path);
std::FILE* __real_fopen(const char* path, const char* mode);
}

namespace vortila::fuzz {

namespace {

// Read by the wrapped calls, which are plain functions; set only while an input is played.
const std::filesystem::path* confinedTo = nullptr;
bool wroteSomething = false;

// Whether `path` names a file in the folder or below it, once "..", links and the current
// folder are resolved.
bool IsInside(const char* path) {
  std::error_code error;
  const std::filesystem::path where =
      std::filesystem::weakly_canonical(std::filesystem::absolute(path, error).parent_path(), error);
  if (error) return false;
  const auto [stop, ignored] =
      std::mismatch(confinedTo->begin(), confinedTo->end(), where.begin(), where.end());
  return stop == confinedTo->end();
}

// Whether a call that writes at `path` may go ahead; a refusal sets errno as a folder
// without permission does.
bool MayWrite(const char* path) {
  if (confinedTo == nullptr) return true;
  if (!IsInside(path)) {
    errno = EACCES;
    return false;
  }
  wroteSomething = true;
  return true;
}

std::filesystem::path MakeFolder() {
  std::error_code error;
  std::filesystem::path base = "/dev/shm";
  if (access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path();
  std::filesystem::path folder = base / ("vortila-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  return std::filesystem::canonical(folder);
}

}  // namespace

Sandbox::Sandbox(const std::vector<std::filesystem::path>& files) : folder_(MakeFolder()) {
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    files_.push_back({file.filename(), std::string(std::istreambuf_iterator<char>(in), {})});
  }
  Fill();
}

void Sandbox::Fill() const {
  for (const File& file : files_) {
    std::ofstream(folder_ / file.name, std::ios::binary) << file.bytes;
  }
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void Sandbox::Confine() {
  confinedTo = &folder_;
  wroteSomething = false;
}

void Sandbox::Release() {
  confinedTo = nullptr;
  if (!wroteSomething) return;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored)) {
    std::filesystem::remove_all(entry.path(), ignored);
  }
  Fill();
}

}  // namespace vortila::fuzz

using vortila::fuzz::MayWrite;

extern "C" {

int __wrap_open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & (O_CREAT | O_TMPFILE)) != 0) {
    va_list arguments;
    va_start(arguments, flags);
    mode = static_cast<mode_t>(va_arg(arguments, int));
    va_end(arguments);
  }
  const bool writes = (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
  if (writes && !MayWrite(path)) return -1;
  return __real_open(path, flags, mode);
}

int __wrap_rename(const char* from, const char* to) {
  if (!MayWrite(from) || !MayWrite(to)) return -1;
  return __real_rename(from, to);
}

int __wrap_unlink(const char* path) {
  if (!MayWrite(path)) return -1;
  return __real_unlink(path);
}

std::FILE* __wrap_fopen(const char* path, const char* mode) {
  const bool writes = std::string_view(mode).find_first_of("wa+") != std::string_view::npos;
  if (writes && !MayWrite(path)) return nullptr;
  return __real_fopen(path, mode);
}

}
