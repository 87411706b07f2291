#include "shared/db/file_ops_contract.h"
#include "shared/db/test_backend.h"

namespace {

TEST(FileOpsTest, BackendFilesKeepTheContract) {
  auto backend = MakeTestBackend();
  CheckFileOpsContract(backend->Files(), backend->Folder());
  const std::string folder = backend->MakeFolder("other");
  EXPECT_TRUE(backend->Files().Exists(folder)) << "folders exist too";
  EXPECT_FALSE(backend->Files().IsEmptyFile(folder)) << "a folder is no empty file";
}

}  // namespace
