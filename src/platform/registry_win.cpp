#include "platform/registry_win.h"

#include <windows.h>

#include <vector>

#include "platform/handles_win.h"
#include "platform/text_win.h"

namespace {

UniqueRegKey OpenKey(const std::string& path, REGSAM access = KEY_ALL_ACCESS) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, WideFromAnsi(path).c_str(), 0, access, &raw) != ERROR_SUCCESS) return {};
  return UniqueRegKey(raw);
}

}  // namespace

bool WinRegistry::KeyExists(const std::string& path) { return static_cast<bool>(OpenKey(path)); }

bool WinRegistry::CreateSubkey(const std::string& parent, const std::string& subkey) {
  UniqueRegKey parentKey = OpenKey(parent);
  if (!parentKey) return false;
  HKEY raw = nullptr;
  if (::RegCreateKeyExW(parentKey.Get(), WideFromAnsi(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  UniqueRegKey created(raw);
  return true;
}

bool WinRegistry::DeleteSubkey(const std::string& parent, const std::string& name) {
  UniqueRegKey parentKey = OpenKey(parent);
  if (!parentKey) return false;
  // RegDeleteKey refuses a key with subkeys on the NT family but not on the
  // older one, so look first.
  {
    UniqueRegKey key;
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(parentKey.Get(), WideFromAnsi(name).c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
      return false;
    }
    key.Reset(raw);
    DWORD subkeys = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        subkeys != 0) {
      return false;
    }
  }
  return ::RegDeleteKeyW(parentKey.Get(), WideFromAnsi(name).c_str()) == ERROR_SUCCESS;
}

bool WinRegistry::KeyIsEmpty(const std::string& path) {
  UniqueRegKey key = OpenKey(path, KEY_READ);
  if (!key) return false;
  DWORD subkeys = 0;
  DWORD values = 0;
  if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  return subkeys == 0 && values == 0;
}

std::optional<RegistryValue> WinRegistry::ReadValue(const std::string& key, const std::string& name) {
  UniqueRegKey opened = OpenKey(key, KEY_READ);
  if (!opened) return std::nullopt;
  // Ask for the size first; the value may change between the calls, so grow and retry.
  const std::wstring wideName = WideFromAnsi(name);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(opened.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<BYTE> data(size + 1);
  for (;;) {
    size = static_cast<DWORD>(data.size());
    const LONG result = ::RegQueryValueExW(opened.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
    if (result == ERROR_SUCCESS) break;
    if (result != ERROR_MORE_DATA) return std::nullopt;
    data.resize(data.size() * 2);
  }
  RegistryValue value;
  value.Type = type;
  value.Data.assign(reinterpret_cast<const char*>(data.data()), size);
  return value;
}

bool WinRegistry::WriteValue(const std::string& key, const std::string& name, const RegistryValue& value) {
  UniqueRegKey opened = OpenKey(key);
  if (!opened) return false;
  return ::RegSetValueExW(opened.Get(), WideFromAnsi(name).c_str(), 0, value.Type,
                          reinterpret_cast<const BYTE*>(value.Data.data()),
                          static_cast<DWORD>(value.Data.size())) == ERROR_SUCCESS;
}

bool WinRegistry::DeleteValue(const std::string& key, const std::string& name) {
  UniqueRegKey opened = OpenKey(key);
  if (!opened) return false;
  const LONG result = ::RegDeleteValueW(opened.Get(), WideFromAnsi(name).c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
