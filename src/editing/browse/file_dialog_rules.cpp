#include "editing/browse/file_dialog_rules.h"

#include <cstring>

int FileDialogRecordSize(int platformMajorVersion) {
  if (platformMajorVersion < 3) return 0;
  return platformMajorVersion > 4 ? filedialog::kNewRecordSize : filedialog::kOldRecordSize;
}

void ClearBehindFirstTerminator(char* buffer, size_t size) {
  if (size == 0) return;
  const void* end = std::memchr(buffer, '\0', size);
  const size_t first = end ? static_cast<size_t>(static_cast<const char*>(end) - buffer) : size - 1;
  std::memset(buffer + first, 0, size - first);
}

int FileDialogResult(int systemAnswer) { return systemAnswer == 0 ? 2 : 1; }
