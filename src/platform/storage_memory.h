// A compound file kept as a tree in memory and stored in a FileOps file in a
// private byte format. It keeps the element order it was given (or reverses it
// on request, to show that readers do not rely on the order), and any of its
// operations can be made to fail. Host tests and the host build use it.
#pragma once

#include <memory>
#include <string>

#include "platform/file_ops.h"
#include "platform/storage.h"
#include "platform/storage_fault_plan.h"

struct MemoryStorageNode;

class MemoryStorageBackend : public StorageBackend {
 public:
  enum class Op {
    kOpenFile,
    kCreateFile,
    kFinish,
    kOpenStream,
    kOpenStorage,
    kCreateStream,
    kCreateStorage,
    kRemove,
    kEnumerate,
    kRead,
    kWrite,
    kCommit
  };

  explicit MemoryStorageBackend(FileOps& files) : files_(files) {}

  std::unique_ptr<Storage> Open(const std::string& path) override;
  std::unique_ptr<CompoundFileWriter> Create(const std::string& path) override;

  FaultPlan<Op>& Faults() { return faults_; }
  void SetReverseEnumeration(bool reverse) { reverse_ = reverse; }
  bool ReverseEnumeration() const { return reverse_; }

  // The byte form of a tree, as stored in the file.
  static std::string Serialize(const MemoryStorageNode& root);
  // Null when the bytes are not a stored tree.
  static std::shared_ptr<MemoryStorageNode> Parse(const std::string& bytes);

 private:
  FileOps& files_;
  FaultPlan<Op> faults_;
  bool reverse_ = false;
};
