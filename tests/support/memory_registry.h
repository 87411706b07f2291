// An in-memory registry for tests: keys by path (letters compared without
// regard to case, as the system does), values with type and bytes, and keys
// that refuse to be opened or written, to stand for a locked-down policy tree.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

inline void PrintTo(const RegistryValue& value, std::ostream* out) {
  *out << "type " << value.Type << " [";
  for (unsigned char c : value.Data) *out << ' ' << static_cast<int>(c);
  *out << " ]";
}

class MemoryRegistry : public Registry {
 public:
  // Makes the key and every missing level above it.
  void AddKey(const std::string& path) {
    std::string sofar;
    for (const std::string& part : Split(path)) {
      sofar = sofar.empty() ? part : sofar + "\\" + part;
      keys_[Fold(sofar)];
    }
  }
  void Put(const std::string& key, const std::string& name, const RegistryValue& value) {
    AddKey(key);
    keys_[Fold(key)].values[Fold(name)] = value;
  }
  // Opening the key (and so everything below it) fails from now on.
  void Lock(const std::string& path) { locked_.insert(Fold(path)); }

  bool Has(const std::string& path) const { return keys_.count(Fold(path)) != 0; }
  // The values of a key, by lower-case name; empty when the key is missing.
  std::map<std::string, RegistryValue> Values(const std::string& path) const {
    auto it = keys_.find(Fold(path));
    return it == keys_.end() ? std::map<std::string, RegistryValue>{} : it->second.values;
  }
  // Every key path, lower case, for comparing whole trees.
  std::vector<std::string> KeyPaths() const {
    std::vector<std::string> paths;
    for (const auto& [path, key] : keys_) paths.push_back(path);
    return paths;
  }

  bool KeyExists(const std::string& path) override { return Open(path) != nullptr; }

  bool CreateSubkey(const std::string& parent, const std::string& subkey) override {
    if (!Open(parent)) return false;
    const std::string path = parent + "\\" + subkey;
    if (IsLocked(path)) return false;
    AddKey(path);
    return true;
  }

  bool DeleteSubkey(const std::string& parent, const std::string& name) override {
    if (!Open(parent)) return false;
    const std::string path = Fold(parent + "\\" + name);
    if (!keys_.count(path) || IsLocked(path)) return false;
    const std::string below = path + "\\";
    for (const auto& [other, key] : keys_) {
      if (other.compare(0, below.size(), below) == 0) return false;
    }
    keys_.erase(path);
    return true;
  }

  bool KeyIsEmpty(const std::string& path) override {
    const Key* key = Open(path);
    if (!key || !key->values.empty()) return false;
    const std::string below = Fold(path) + "\\";
    for (const auto& [other, unused] : keys_) {
      if (other.compare(0, below.size(), below) == 0) return false;
    }
    return true;
  }

  std::optional<RegistryValue> ReadValue(const std::string& key, const std::string& name) override {
    const Key* opened = Open(key);
    if (!opened) return std::nullopt;
    auto it = opened->values.find(Fold(name));
    if (it == opened->values.end()) return std::nullopt;
    return it->second;
  }

  bool WriteValue(const std::string& key, const std::string& name, const RegistryValue& value) override {
    Key* opened = Open(key);
    if (!opened) return false;
    opened->values[Fold(name)] = value;
    return true;
  }

  bool DeleteValue(const std::string& key, const std::string& name) override {
    Key* opened = Open(key);
    if (!opened) return false;
    opened->values.erase(Fold(name));
    return true;
  }

 private:
  struct Key {
    std::map<std::string, RegistryValue> values;
  };

  static std::string Fold(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  }
  static std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
      if (c == '\\') {
        if (!part.empty()) parts.push_back(part);
        part.clear();
      } else {
        part += c;
      }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
  }
  bool IsLocked(const std::string& path) const {
    const std::string folded = Fold(path);
    for (const std::string& locked : locked_) {
      if (folded == locked || folded.compare(0, locked.size() + 1, locked + "\\") == 0) return true;
    }
    return false;
  }
  Key* Open(const std::string& path) {
    if (IsLocked(path)) return nullptr;
    auto it = keys_.find(Fold(path));
    return it == keys_.end() ? nullptr : &it->second;
  }

  std::map<std::string, Key> keys_;
  std::set<std::string> locked_;
};
