#include <windows.h>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/storage_ole_win.h"
#include "shared/db/test_backend.h"
#include "win/db/find_handle_win.h"

namespace {


// A fresh folder under the temporary folder, removed with everything in it.
class OleTestBackend : public TestBackend {
 public:
  OleTestBackend() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    folder_ = std::string(temp) + "qrdb" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    ::CreateDirectoryA(folder_.c_str(), nullptr);
  }
  ~OleTestBackend() override { RemoveTree(folder_); }

  StorageBackend& Backend() override { return storage_; }
  FileOps& Files() override { return files_; }
  std::string Folder() const override { return folder_; }
  std::string MakeFolder(const std::string& name) override {
    ::CreateDirectoryA(PathOf(name).c_str(), nullptr);
    return PathOf(name);
  }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    UniqueFind search(::FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path);
        else
          ::DeleteFileA(path.c_str());
      } while (::FindNextFileA(search.Get(), &found));
    }
    ::RemoveDirectoryA(folder.c_str());
  }

  std::string folder_;
  WinFileOps files_;
  OleStorageBackend storage_;
};

}  // namespace

std::unique_ptr<TestBackend> MakeTestBackend() { return std::make_unique<OleTestBackend>(); }
