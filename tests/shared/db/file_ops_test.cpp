#include "shared/db/file_ops_contract.h"
#include "shared/db/test_backend.h"

namespace {

TEST(FileOpsTest, BackendFilesKeepTheContract) {
  auto backend = MakeTestBackend();
  CheckFileOpsContract(backend->Files(), backend->Folder());
  EXPECT_TRUE(backend->Files().Exists(backend->MakeFolder("sub"))) << "folders exist too";
}

}  // namespace
