// The storage and files a database test runs on: in memory on the host, ole32
// and a real temporary folder under Wine. Each test gets a fresh, empty one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "db/cdb.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

class TestBackend {
 public:
  virtual ~TestBackend() = default;
  virtual StorageBackend& Backend() = 0;
  virtual FileOps& Files() = 0;
  // The program folder, without a trailing backslash.
  virtual std::string Folder() const = 0;
  // Makes a folder inside the program folder and returns its full path.
  virtual std::string MakeFolder(const std::string& name) = 0;

  std::string PathOf(const std::string& name) const { return Folder() + "\\" + name; }
  std::string Contents(const std::string& name) {
    std::string bytes;
    Files().ReadAll(PathOf(name), bytes);
    return bytes;
  }
  void Put(const std::string& name, const std::string& bytes) { Files().WriteAll(PathOf(name), bytes); }
  bool Has(const std::string& name) { return Files().Exists(PathOf(name)); }

  // A database on this backend whose error messages land in `reports`.
  std::unique_ptr<CDB> MakeDatabase(std::vector<std::string>* reports = nullptr) {
    auto db = std::make_unique<CDB>(Backend(), Files(), [reports](const std::string& text) {
      // The application puts message 83 in front of the failing step.
      if (reports) reports->push_back(MessageTexts().Text(83) + text);
    });
    db->SetProgramFolder(Folder());
    return db;
  }

  // Writes a compound file `name` whose tree `build` makes.
  bool WriteTree(const std::string& name, const std::function<void(Storage&)>& build) {
    auto file = Backend().Create(PathOf(name));
    if (!file) return false;
    build(file->Root());
    return file->Finish();
  }
};

std::unique_ptr<TestBackend> MakeTestBackend();
