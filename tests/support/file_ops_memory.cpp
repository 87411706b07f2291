#include "support/file_ops_memory.h"

bool MemoryFileSystem::Allow(Op op) {
  if (Killed()) return false;
  return !faults_.Hit(op);
}

bool MemoryFileSystem::AllowChange(Op op) {
  if (!Allow(op)) return false;
  if (changesLeft_ > 0) --changesLeft_;
  return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  ++existsQuestions_[path];
  if (!Allow(Op::kExists)) return false;
  return files_.count(path) != 0 || folders_.count(path) != 0;
}

bool MemoryFileSystem::Move(const std::string& from, const std::string& to) {
  if (!AllowChange(Op::kMove)) return false;
  auto it = files_.find(from);
  if (it == files_.end()) return false;
  if (from == to) return true;
  std::string bytes = std::move(it->second);
  files_.erase(it);
  files_[to] = std::move(bytes);
  journal_.push_back("move " + from + " " + to);
  return true;
}

bool MemoryFileSystem::Copy(const std::string& from, const std::string& to) {
  if (!AllowChange(Op::kCopy)) return false;
  auto it = files_.find(from);
  if (it == files_.end()) return false;
  files_[to] = it->second;
  journal_.push_back("copy " + from + " " + to);
  return true;
}

bool MemoryFileSystem::Delete(const std::string& path) {
  if (!AllowChange(Op::kDelete)) return false;
  if (files_.erase(path) != 0) journal_.push_back("delete " + path);
  return true;
}

bool MemoryFileSystem::Flush(const std::string& path) {
  if (!AllowChange(Op::kFlush)) return false;
  if (files_.count(path) == 0) return false;
  journal_.push_back("flush " + path);
  return true;
}

bool MemoryFileSystem::ReadAll(const std::string& path, std::string& bytes) {
  if (!Allow(Op::kRead)) return false;
  auto it = files_.find(path);
  if (it == files_.end()) return false;
  bytes = it->second;
  return true;
}

bool MemoryFileSystem::WriteAll(const std::string& path, const std::string& bytes) {
  if (Killed() || faults_.Hit(Op::kWrite)) return false;
  if (changesLeft_ == 1) {
    // The process dies in the middle of this write: a torn file stays behind.
    files_[path] = bytes.substr(0, bytes.size() / 2);
    changesLeft_ = 0;
    return false;
  }
  if (changesLeft_ > 0) --changesLeft_;
  files_[path] = bytes;
  journal_.push_back("write " + path);
  return true;
}

bool MemoryFileSystem::MakeFolder(const std::string& path) {
  if (!AllowChange(Op::kMakeFolder)) return false;
  folders_.insert(path);
  return true;
}

bool MemoryFileSystem::ListFiles(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  if (!Allow(Op::kList)) return false;
  const std::string prefix = folder + "\\";
  for (const auto& [path, bytes] : files_) {
    if (path.compare(0, prefix.size(), prefix) == 0 && path.find('\\', prefix.size()) == std::string::npos)
      names.push_back(path.substr(prefix.size()));
  }
  return true;
}

std::string MemoryFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? std::string() : it->second;
}

std::vector<std::string> MemoryFileSystem::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files_) names.push_back(name);
  return names;
}

DriveKind MemoryFileSystem::DriveKindOf(char letter) {
  ++driveQuestions_[Upper(letter)];
  auto it = drives_.find(Upper(letter));
  return it == drives_.end() ? DriveKind::kFixed : it->second;
}

int MemoryFileSystem::DriveQuestions(char letter) const {
  auto it = driveQuestions_.find(Upper(letter));
  return it == driveQuestions_.end() ? 0 : it->second;
}

int MemoryFileSystem::ExistsQuestions(const std::string& path) const {
  auto it = existsQuestions_.find(path);
  return it == existsQuestions_.end() ? 0 : it->second;
}
