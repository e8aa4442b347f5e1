#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The one folder that a game under fuzzing may write in. A typed command may name a saved
// game by any path, "/" and ".." included, and the fuzzer must be free to type it; so the
// calls by which the engine creates, replaces and removes files (open and fopen for
// writing, rename, unlink) are wrapped when the target is linked (-Wl,--wrap, see
// CMakeLists.txt). While an input is played they act only inside the folder; anywhere else
// they fail as in a folder one may not write in, and the game answers as it then would.
namespace vortila::fuzz {

class Sandbox {
 public:
  // A fresh folder of the fuzzer's own, holding a copy of each of `files`; in memory where
  // the system has room for it, since a save waits for the disk. The files are read once:
  // the folder is filled again from what was read, whatever becomes of the originals.
  explicit Sandbox(const std::vector<std::filesystem::path>& files);
  // Removes the folder and all it holds.
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& folder() const { return folder_; }

  // Confines the writes until Release, which puts the folder back as it was made if
  // anything was written, so that each input finds it as the one before found it.
  void Confine();
  void Release();

 private:
  void Fill() const;

  struct File {
    std::filesystem::path name;
    std::string bytes;
  };

  std::vector<File> files_;
  std::filesystem::path folder_;
};

}  // namespace vortila::fuzz
