// Compound files through ole32. A file is read in one piece and opened in
// memory (StgOpenStorageOnILockBytes); a new file is built in memory
// (StgCreateDocfileOnILockBytes) and written to disk with one write, so the
// file on disk goes from empty to complete at once and holds exactly the bytes
// ole32 would have written in place. The file is open only while it is read
// or written: written without sharing, read sharing with other readers (a
// read that meets a writer or an exclusive holder is tried again briefly).
#pragma once

#include "platform/storage.h"

class OleStorageBackend : public StorageBackend {
 public:
  std::unique_ptr<Storage> Open(const std::string& path) override;
  std::unique_ptr<CompoundFileWriter> Create(const std::string& path) override;
};
