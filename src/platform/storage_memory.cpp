#include "platform/storage_memory.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/byte_codec.h"

struct MemoryStorageNode {
  bool IsStorage = true;
  std::string Data;
  std::vector<std::pair<std::string, std::shared_ptr<MemoryStorageNode>>> Children;

  std::shared_ptr<MemoryStorageNode> Find(const std::string& name) const {
    for (const auto& [childName, child] : Children)
      if (childName == name) return child;
    return nullptr;
  }
  void Remove(const std::string& name) {
    std::erase_if(Children, [&](const auto& entry) { return entry.first == name; });
  }
  std::shared_ptr<MemoryStorageNode> Replace(const std::string& name, bool isStorage) {
    Remove(name);
    auto node = std::make_shared<MemoryStorageNode>();
    node->IsStorage = isStorage;
    Children.emplace_back(name, node);
    return node;
  }
};

namespace {

using Op = MemoryStorageBackend::Op;

class MemoryStream : public Stream {
 public:
  MemoryStream(std::shared_ptr<MemoryStorageNode> node, FaultPlan<Op>& faults)
      : node_(std::move(node)), faults_(faults) {}
  bool ReadAll(std::string& bytes) override {
    if (faults_.Hit(Op::kRead)) return false;
    bytes = node_->Data;
    return true;
  }
  bool Write(const std::string& bytes) override {
    if (faults_.Hit(Op::kWrite)) return false;
    node_->Data += bytes;
    return true;
  }
  bool Commit() override { return !faults_.Hit(Op::kCommit); }

 private:
  std::shared_ptr<MemoryStorageNode> node_;
  FaultPlan<Op>& faults_;
};

class MemoryStorage : public Storage {
 public:
  MemoryStorage(std::shared_ptr<MemoryStorageNode> node, MemoryStorageBackend& backend)
      : node_(std::move(node)), backend_(backend) {}

  StorageResult OpenStream(const std::string& name, std::unique_ptr<Stream>& stream) override {
    if (Faults().Hit(Op::kOpenStream)) return StorageResult::kFailed;
    auto child = node_->Find(name);
    if (!child || child->IsStorage) return StorageResult::kNotFound;
    stream = std::make_unique<MemoryStream>(child, Faults());
    return StorageResult::kOk;
  }
  StorageResult OpenStorage(const std::string& name, std::unique_ptr<Storage>& storage) override {
    if (Faults().Hit(Op::kOpenStorage)) return StorageResult::kFailed;
    auto child = node_->Find(name);
    if (!child || !child->IsStorage) return StorageResult::kNotFound;
    storage = std::make_unique<MemoryStorage>(child, backend_);
    return StorageResult::kOk;
  }
  std::unique_ptr<Stream> CreateStream(const std::string& name) override {
    if (Faults().Hit(Op::kCreateStream)) return nullptr;
    return std::make_unique<MemoryStream>(node_->Replace(name, false), Faults());
  }
  std::unique_ptr<Storage> CreateStorage(const std::string& name) override {
    if (Faults().Hit(Op::kCreateStorage)) return nullptr;
    return std::make_unique<MemoryStorage>(node_->Replace(name, true), backend_);
  }
  bool RemoveElement(const std::string& name) override {
    if (Faults().Hit(Op::kRemove)) return false;
    node_->Remove(name);
    return true;
  }
  bool Enumerate(std::vector<StorageElement>& elements) override {
    if (Faults().Hit(Op::kEnumerate)) return false;
    elements.clear();
    for (const auto& [name, child] : node_->Children) elements.push_back({name, child->IsStorage});
    if (backend_.ReverseEnumeration()) std::reverse(elements.begin(), elements.end());
    return true;
  }

 private:
  FaultPlan<Op>& Faults() { return backend_.Faults(); }

  std::shared_ptr<MemoryStorageNode> node_;
  MemoryStorageBackend& backend_;
};

class MemoryWriter : public CompoundFileWriter {
 public:
  MemoryWriter(std::string path, FileOps& files, MemoryStorageBackend& backend)
      : path_(std::move(path)),
        files_(files),
        backend_(backend),
        root_(std::make_shared<MemoryStorageNode>()),
        rootStorage_(root_, backend) {}
  Storage& Root() override { return rootStorage_; }
  bool Finish() override {
    if (backend_.Faults().Hit(Op::kFinish)) return false;
    return files_.WriteAll(path_, MemoryStorageBackend::Serialize(*root_));
  }

 private:
  std::string path_;
  FileOps& files_;
  MemoryStorageBackend& backend_;
  std::shared_ptr<MemoryStorageNode> root_;
  MemoryStorage rootStorage_;
};

constexpr char kMagic[] = "QRMEMSTG";
constexpr size_t kMagicSize = sizeof(kMagic) - 1;
constexpr int kMaxDepth = 32;

void SerializeChildren(const MemoryStorageNode& node, std::string& out) {
  PutU32(out, static_cast<uint32_t>(node.Children.size()));
  for (const auto& [name, child] : node.Children) {
    out.push_back(child->IsStorage ? 'D' : 'S');
    PutU32(out, static_cast<uint32_t>(name.size()));
    out += name;
    if (child->IsStorage) {
      SerializeChildren(*child, out);
    } else {
      PutU32(out, static_cast<uint32_t>(child->Data.size()));
      out += child->Data;
    }
  }
}

class TreeParser {
 public:
  explicit TreeParser(const std::string& bytes) : in_(bytes) {}
  bool ParseChildren(MemoryStorageNode& node, int depth) {
    uint32_t count = 0;
    if (depth > kMaxDepth || !in_.U32(count)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      std::string type;
      if (!in_.Bytes(1, type) || (type[0] != 'D' && type[0] != 'S')) return false;
      std::string name;
      if (!GetBlock(name)) return false;
      auto child = std::make_shared<MemoryStorageNode>();
      child->IsStorage = type[0] == 'D';
      if (child->IsStorage ? !ParseChildren(*child, depth + 1) : !GetBlock(child->Data)) return false;
      node.Children.emplace_back(std::move(name), std::move(child));
    }
    return true;
  }
  bool Skip(size_t n) { return in_.Skip(n); }
  bool AtEnd() const { return in_.AtEnd(); }

 private:
  bool GetBlock(std::string& out) {
    uint32_t size = 0;
    return in_.U32(size) && in_.Bytes(size, out);
  }

  ByteReader in_;
};

}  // namespace

std::string MemoryStorageBackend::Serialize(const MemoryStorageNode& root) {
  std::string out(kMagic, kMagicSize);
  SerializeChildren(root, out);
  return out;
}

std::shared_ptr<MemoryStorageNode> MemoryStorageBackend::Parse(const std::string& bytes) {
  if (bytes.compare(0, kMagicSize, kMagic) != 0) return nullptr;
  TreeParser parser(bytes);
  auto root = std::make_shared<MemoryStorageNode>();
  if (!parser.Skip(kMagicSize) || !parser.ParseChildren(*root, 0) || !parser.AtEnd()) return nullptr;
  return root;
}

std::unique_ptr<Storage> MemoryStorageBackend::Open(const std::string& path) {
  if (faults_.Hit(Op::kOpenFile)) return nullptr;
  std::string bytes;
  if (!files_.ReadAll(path, bytes)) return nullptr;
  auto root = Parse(bytes);
  if (!root) return nullptr;
  return std::make_unique<MemoryStorage>(root, *this);
}

std::unique_ptr<CompoundFileWriter> MemoryStorageBackend::Create(const std::string& path) {
  if (faults_.Hit(Op::kCreateFile)) return nullptr;
  if (!files_.WriteAll(path, std::string())) return nullptr;
  return std::make_unique<MemoryWriter>(path, files_, *this);
}
