// Helpers for tests that read and write settings files.
#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/profile.h"

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() / ("qr_profile_" + std::to_string(random()));
    std::filesystem::create_directories(dir_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One implementation of the profile rules, made over a file path. The host
// tree tests the file-backed copy; under Wine the real functions are tested
// with the same tables, which is what keeps the copy honest.
struct ProfileKind {
  std::string name;
  std::function<std::unique_ptr<Profile>(const std::string& path)> make;
};
std::vector<ProfileKind> ProfileKindsUnderTest();

inline void PrintTo(const ProfileKind& kind, std::ostream* out) { *out << kind.name; }
