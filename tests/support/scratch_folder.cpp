#include "support/scratch_folder.h"

#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  // A random name, so that test programs running side by side (and a folder
  // left over by a killed run) never meet.
  static std::mt19937 random{std::random_device{}()};
  const fs::path temp = fs::temp_directory_path();
  do {
    dir_ = temp / ("qr_test_" + std::to_string(random()));
  } while (!fs::create_directories(dir_));
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(dir_, ignored);
}

std::string ScratchFolder::MakeFolder(const std::string& name) const {
  const fs::path folder = dir_ / name;
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  return folder.string();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
