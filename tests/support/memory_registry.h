// An in-memory registry for tests: keys by path (letters compared without
// regard to case, as the system does), keys that refuse to open, standing
// for a locked-down policy tree, and one change that fails on request.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

inline void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "type " << value.Type << " [";
  for (unsigned char c : value.Data) *out << ' ' << static_cast<int>(c);
  *out << " ]";
}

class MemoryRegistry : public Registry {
 public:
  using ValueMap = std::map<std::string, RegistryValue>;  // by lower-case name

  // Makes the key and every missing level above it.
  void AddKey(const std::string& path) {
    const std::string folded = Fold(path);
    for (size_t cut = folded.find('\\'); cut != std::string::npos; cut = folded.find('\\', cut + 1))
      keys_[folded.substr(0, cut)];
    keys_[folded];
  }
  void Put(const std::string& key, const std::string& name, const RegistryValue& value) {
    AddKey(key);
    keys_[Fold(key)][Fold(name)] = value;
  }
  // The key and everything below it cannot be opened from now on.
  void Lock(const std::string& path) { locked_.insert(Fold(path)); }
  // Counting from now, change number `n` (1 the next; a made or deleted key, a
  // written or deleted value) fails and changes nothing; 0 fails none.
  void FailChange(int n) {
    failAt_ = n;
    changes_ = 0;
  }
  int Changes() const { return changes_; }

  bool Has(const std::string& path) const { return keys_.count(Fold(path)) != 0; }
  ValueMap Values(const std::string& path) const {
    auto it = keys_.find(Fold(path));
    return it == keys_.end() ? ValueMap{} : it->second;
  }
  std::vector<std::string> KeyPaths() const {
    std::vector<std::string> paths;
    for (const auto& entry : keys_) paths.push_back(entry.first);
    return paths;
  }

  bool KeyExists(const std::string& path) override { return Open(path) != nullptr; }
  bool CreateSubkey(const std::string& parent, const std::string& subkey) override {
    if (!Open(parent) || Locked(parent + "\\" + subkey) || Refused()) return false;
    AddKey(parent + "\\" + subkey);
    return true;
  }
  bool DeleteSubkey(const std::string& parent, const std::string& name) override {
    const std::string path = Fold(parent + "\\" + name);
    if (!Open(parent) || !Open(path) || HasSubkeys(path) || Refused()) return false;
    keys_.erase(path);
    return true;
  }
  bool KeyIsEmpty(const std::string& path) override {
    const auto* key = Open(path);
    return key && key->empty() && !HasSubkeys(Fold(path));
  }
  std::optional<RegistryValue> ReadValue(const std::string& key, const std::string& name) override {
    const auto* opened = Open(key);
    if (!opened || !opened->count(Fold(name))) return std::nullopt;
    return opened->at(Fold(name));
  }
  bool WriteValue(const std::string& key, const std::string& name, const RegistryValue& value) override {
    auto* opened = Open(key);
    if (!opened || Refused()) return false;
    (*opened)[Fold(name)] = value;
    return true;
  }
  bool DeleteValue(const std::string& key, const std::string& name) override {
    auto* opened = Open(key);
    if (!opened || Refused()) return false;
    opened->erase(Fold(name));
    return true;
  }

 private:
  bool Refused() { return ++changes_ == failAt_; }
  static std::string Fold(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  }
  static bool Below(const std::string& path, const std::string& key) {
    return path == key || path.starts_with(key + "\\");
  }
  bool Locked(const std::string& path) const {
    return std::any_of(locked_.begin(), locked_.end(), [&](const std::string& l) { return Below(Fold(path), l); });
  }
  bool HasSubkeys(const std::string& folded) const {
    return std::any_of(keys_.begin(), keys_.end(),
                       [&](const auto& entry) { return entry.first != folded && Below(entry.first, folded); });
  }
  ValueMap* Open(const std::string& path) {
    auto it = keys_.find(Fold(path));
    return it == keys_.end() || Locked(path) ? nullptr : &it->second;
  }

  std::map<std::string, ValueMap> keys_;
  std::set<std::string> locked_;
  int failAt_ = 0;
  int changes_ = 0;
};

// A text value as the wide registry calls keep it: UTF-16LE with its final zero.
inline RegistryValue WideText(uint32_t type, std::u16string_view text) {
  RegistryValue value{type, {}};
  for (char16_t c : text) {
    value.Data.push_back(static_cast<char>(c & 0xFF));
    value.Data.push_back(static_cast<char>(c >> 8));
  }
  value.Data.append(2, '\0');
  return value;
}
