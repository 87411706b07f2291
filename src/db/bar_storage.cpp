// Reading and writing one bar and its buttons inside the database file.
#include <algorithm>
#include <map>

#include "db/cbar.h"
#include "db/cd.h"
#include "db/database_io.h"
#include "db/db_paths.h"
#include "db/element_order.h"
#include "db/records.h"
#include "db/target_check.h"
#include "platform/file_ops.h"
#include "platform/storage.h"

namespace {

// Whether the targets of a bar's file buttons exist, asked of the file system
// once per path: bars often name the same program many times.
class TargetLookups {
 public:
  explicit TargetLookups(FileOps& files) : files_(files) {}

  bool Exists(const std::string& path) {
    auto known = answers_.find(path);
    if (known == answers_.end()) known = answers_.emplace(path, files_.Exists(path)).first;
    return known->second;
  }

 private:
  FileOps& files_;
  std::map<std::string, bool> answers_;
};

int LoadButton(CD& button, Stream& stream, DatabaseIo& io, TargetLookups& targets) {
  std::string bytes;
  if (!stream.ReadAll(bytes) || !DecodeButtonRecord(bytes, button)) return 0;
  // Only a shown file button can change; a hidden one stays hidden whatever
  // its target, so its target is not asked about.
  if (button.Kind != kFile || button.IsSeparator == 1 || button.Available == 0) return 1;
  const std::string target = ResolveAgainstFolder(io.ProgramFolder, button.Target);
  // A removable or network target keeps the stored flag until it is checked.
  if (io.SlowTargets && io.SlowTargets->Defer(button, target, io.Files)) return 1;
  if (!targets.Exists(target)) {
    button.Available = 0;
    button.TargetMissing = 1;
  }
  return 1;
}

}  // namespace

int CD::Load(Stream& stream, DatabaseIo& io) {
  TargetLookups targets(io.Files);
  return LoadButton(*this, stream, io, targets);
}

int CD::Save(Stream& stream) const { return stream.Write(EncodeButtonRecord(*this)) && stream.Commit() ? 1 : 0; }

int CBar::Load(Storage& storage, DatabaseIo& io) {
  Clear();
  {
    std::unique_ptr<Stream> info;
    std::string bytes;
    if (storage.OpenStream(kBarInfoName, info) != StorageResult::kOk || !info->ReadAll(bytes) ||
        !DecodeBarRecord(bytes, JoinPath(io.ProgramFolder, kProgramFileName), *this)) {
      io.LostData = true;
      return 0;
    }
  }

  std::vector<StorageElement> elements;
  if (!storage.Enumerate(elements)) {
    io.Report(" CDB::Load 1)");
    io.LostData = true;
    return 0;
  }
  std::erase_if(elements, [](const StorageElement& e) { return e.IsStorage || e.Name == kBarInfoName; });
  SortForReading(elements);

  TargetLookups targets(io.Files);
  for (const StorageElement& element : elements) {
    std::unique_ptr<Stream> stream;
    auto button = std::make_unique<CD>();
    if (storage.OpenStream(element.Name, stream) != StorageResult::kOk ||
        !LoadButton(*button, *stream, io, targets)) {
      io.LostData = true;
      continue;
    }
    Insert(std::move(button), -1);
  }
  return 1;
}

int CBar::Save(Storage& root, int32_t ordinal, DatabaseIo& io) const {
  const std::string name = std::to_string(ordinal);
  root.RemoveElement(name);
  std::unique_ptr<Storage> storage = root.CreateStorage(name);
  if (!storage) {
    io.Report(" CBar::Save 1)");
    return 0;
  }
  {
    std::unique_ptr<Stream> info = storage->CreateStream(kBarInfoName);
    if (!info) {
      io.Report(" CBar::Save 2)");
      return 0;
    }
    if (!info->Write(EncodeBarRecord(*this)) || !info->Commit()) {
      io.Report(" CBar::Save 3)");
      return 0;
    }
  }
  for (int32_t position = 0; position < Count(); ++position) {
    const std::string buttonName = std::to_string(position);
    storage->RemoveElement(buttonName);
    std::unique_ptr<Stream> stream = storage->CreateStream(buttonName);
    if (!stream || !At(position)->Save(*stream)) {
      io.Report(" CD::Save 1)");
      return 0;
    }
  }
  return 1;
}
