#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"
#include "shared/db/test_backend.h"

namespace {

class MemoryTestBackend : public TestBackend {
 public:
  MemoryTestBackend() : storage_(files_) { storage_.SetReverseEnumeration(true); }
  StorageBackend& Backend() override { return storage_; }
  FileOps& Files() override { return files_; }
  std::string Folder() const override { return "C:\\Orvantis"; }
  std::string MakeFolder(const std::string& name) override {
    files_.MakeFolder(PathOf(name));
    return PathOf(name);
  }

 private:
  MemoryFileSystem files_;
  MemoryStorageBackend storage_;
};

}  // namespace

std::unique_ptr<TestBackend> MakeTestBackend() { return std::make_unique<MemoryTestBackend>(); }
