// Under Wine the database tests run on ole32 and real files in a fresh
// temporary folder.
#include "platform/file_ops_win.h"
#include "platform/storage_ole_win.h"
#include "shared/db/test_backend.h"
#include "support/scratch_folder.h"

namespace {

class OleTestBackend : public TestBackend {
 public:
  StorageBackend& Backend() override { return storage_; }
  FileOps& Files() override { return files_; }
  std::string Folder() const override { return folder_.Path(); }
  std::string MakeFolder(const std::string& name) override { return folder_.MakeFolder(name); }

 private:
  ScratchFolder folder_;  // declared first: it outlives the files opened in it
  WinFileOps files_;
  OleStorageBackend storage_;
};

}  // namespace

std::unique_ptr<TestBackend> MakeTestBackend() { return std::make_unique<OleTestBackend>(); }
