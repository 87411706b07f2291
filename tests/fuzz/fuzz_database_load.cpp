// A whole database load from a damaged file. The first input byte steers the
// storage (bit 0: enumerate in reverse; bits 1-4: which storage operation
// fails, 0 for none; bits 5-7: on which call, from 1); the rest is the file
// "lbars.acc" in the host's compound-file format.
//
// Whatever the file holds, the load ends with a consistent database: ordinals
// and command ids in order, a home bar that names a bar or none, a message for
// every failed load. Saving that database and loading it again gives it back.
#include "db/records.h"
#include "fuzz_support.h"
#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"

namespace {

using StorageOp = MemoryStorageBackend::Op;

const char kFolder[] = "C:\\Orvantis";
const char kDatabasePath[] = "C:\\Orvantis\\lbars.acc";
constexpr int kStorageOpCount = static_cast<int>(StorageOp::kCommit) + 1;

struct ElementCounts {
  int32_t BarStorages = 0;
  int32_t ButtonStreams = 0;
};

// What the file holds, counted through a storage of its own (duplicates of a
// name count as often as they are listed, as the load reads them).
ElementCounts CountElements(FileOps& files) {
  ElementCounts counts;
  MemoryStorageBackend reader(files);
  std::unique_ptr<Storage> root = reader.Open(kDatabasePath);
  std::vector<StorageElement> elements;
  if (!root || !root->Enumerate(elements)) return counts;
  for (const StorageElement& element : elements) {
    std::unique_ptr<Storage> bar;
    std::vector<StorageElement> children;
    if (!element.IsStorage) continue;
    ++counts.BarStorages;
    if (root->OpenStorage(element.Name, bar) != StorageResult::kOk || !bar->Enumerate(children)) continue;
    for (const StorageElement& child : children)
      if (!child.IsStorage && child.Name != kBarInfoName) ++counts.ButtonStreams;
  }
  return counts;
}

int32_t ButtonCount(const CDB& db) {
  int32_t count = 0;
  for (int32_t i = 0; i < db.BarCount(); ++i) count += db.Bar(i)->Count();
  return count;
}

struct Scene {
  MemoryFileSystem files;
  MemoryStorageBackend storage{files};
  std::vector<std::string> reports;
  CDB db{storage, files, [this](const std::string& text) { reports.push_back(text); }};

  Scene() {
    files.MakeFolder(kFolder);
    db.SetProgramFolder(kFolder);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t control = data[0];
  const std::string file = BytesOf(data + 1, size - 1);

  Scene first;
  first.files.Put(kDatabasePath, file);
  const ElementCounts stored = CountElements(first.files);
  first.storage.SetReverseEnumeration(control & 1);
  const int failing = (control >> 1) & 0x0F;
  if (failing >= 1 && failing <= kStorageOpCount)
    first.storage.Faults().FailNth(static_cast<StorageOp>(failing - 1), (control >> 5) + 1);

  const int loaded = first.db.Load();
  FUZZ_CHECK(loaded == 0 || loaded == 1);
  if (loaded == 0) FUZZ_CHECK(!first.reports.empty() && !first.db.LastLoadSucceeded());
  // An empty file is no database yet (what a first save cut off leaves); any
  // other file that is no compound file is reported.
  if (file.empty()) FUZZ_CHECK(loaded == 1 && first.db.BarCount() == 0 && first.reports.empty());
  else if (!MemoryStorageBackend::Parse(file)) FUZZ_CHECK(loaded == 0);
  FUZZ_CHECK(NumberedInOrder(first.db));
  FUZZ_CHECK(first.db.GetHomeBar() >= -1 && first.db.GetHomeBar() < first.db.BarCount());
  for (int32_t i = 0; i < first.db.BarCount(); ++i) FUZZ_CHECK(!first.db.Bar(i)->IconFile.empty());
  // Loading leaves the file as it found it.
  FUZZ_CHECK(first.files.Contents(kDatabasePath) == file);

  first.storage.Faults().Clear();
  FUZZ_CHECK(first.db.Save() == 1);
  // Whatever was not read back is kept beside the new file, never thrown away.
  const bool lostSome = loaded == 0 || first.db.BarCount() < stored.BarStorages ||
                        ButtonCount(first.db) < stored.ButtonStreams;
  if (lostSome) FUZZ_CHECK(first.files.Contents("C:\\Orvantis\\lbars_unreadable.acc") == file);

  Scene second;
  for (const std::string& name : first.files.Names()) second.files.Put(name, first.files.Contents(name));
  second.storage.SetReverseEnumeration(!(control & 1));
  FUZZ_CHECK(second.db.Load() == 1);
  FUZZ_CHECK(second.reports.empty());
  FUZZ_CHECK(SameDatabase(first.db, second.db));
  return 0;
}
