// Structured storage as the database code sees it: a tree of named storages and
// streams inside one compound file. The program reads and writes compound files
// through ole32 (OleStorageBackend); the host tests use MemoryStorageBackend,
// which can be told to fail chosen operations.
//
// Names are single-byte text in the system code page; an implementation that
// needs another encoding converts them on the way in and out.
#pragma once

#include <memory>
#include <string>
#include <vector>

// "Not found" is told apart from every other failure: a missing element is often
// a normal case for the reader, a failure to open an existing one is not.
enum class StorageResult { kOk, kNotFound, kFailed };

struct StorageElement {
  std::string Name;
  bool IsStorage = false;
};

class Stream {
 public:
  virtual ~Stream() = default;
  // The whole contents of the stream.
  virtual bool ReadAll(std::string& bytes) = 0;
  // Appends bytes at the current end of what this object has written.
  virtual bool Write(const std::string& bytes) = 0;
  virtual bool Commit() = 0;
};

class Storage {
 public:
  virtual ~Storage() = default;
  virtual StorageResult OpenStream(const std::string& name, std::unique_ptr<Stream>& stream) = 0;
  virtual StorageResult OpenStorage(const std::string& name, std::unique_ptr<Storage>& storage) = 0;
  // Both replace an element of the same name.
  virtual std::unique_ptr<Stream> CreateStream(const std::string& name) = 0;
  virtual std::unique_ptr<Storage> CreateStorage(const std::string& name) = 0;
  // A missing element is no failure.
  virtual bool RemoveElement(const std::string& name) = 0;
  // The elements in the order the implementation keeps them.
  virtual bool Enumerate(std::vector<StorageElement>& elements) = 0;
};

// A compound file being written. Its file exists (empty) from the moment the
// writer is made; Finish puts the whole tree into it. Every storage and stream
// taken from Root must be destroyed before Finish.
class CompoundFileWriter {
 public:
  virtual ~CompoundFileWriter() = default;
  virtual Storage& Root() = 0;
  virtual bool Finish() = 0;
};

class StorageBackend {
 public:
  virtual ~StorageBackend() = default;
  // The root of an existing compound file, or null when it cannot be opened.
  // The file itself is only touched during this call.
  virtual std::unique_ptr<Storage> Open(const std::string& path) = 0;
  // Creates (or truncates) the file at once; null when that fails.
  virtual std::unique_ptr<CompoundFileWriter> Create(const std::string& path) = 0;
};

// The program's own backend: ole32 on Windows, the memory backend over plain
// files on the host.
StorageBackend& PlatformStorage();
