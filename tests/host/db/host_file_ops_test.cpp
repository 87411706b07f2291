#include <stdlib.h>

#include <filesystem>

#include "platform/file_ops_host.h"
#include "shared/db/file_ops_contract.h"

namespace {

TEST(HostFileOpsTest, PlainFilesKeepTheContract) {
  char pattern[] = "/tmp/qr-file-ops-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  HostFileOps files;
  CheckFileOpsContract(files, pattern);
  std::filesystem::remove_all(pattern);
}

}  // namespace
