// The per-user registry as the places-bar policy needs it: keys named by their
// path below HKEY_CURRENT_USER ("Software\\Microsoft\\..."), values with their
// type and raw bytes. Windows: WinRegistry (the wide Reg*W calls, so values are
// kept byte for byte: text values hold UTF-16LE with its terminating zero, and a
// path outside the code page comes back as it was); tests use an in-memory double.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/byte_codec.h"

// Value types, numbered as the system numbers them.
namespace regtype {
constexpr uint32_t kString = 1;        // REG_SZ
constexpr uint32_t kExpandString = 2;  // REG_EXPAND_SZ
constexpr uint32_t kBinary = 3;        // REG_BINARY
constexpr uint32_t kDword = 4;         // REG_DWORD
constexpr uint32_t kMultiString = 7;   // REG_MULTI_SZ
}  // namespace regtype

struct RegistryValue {
  uint32_t Type = regtype::kDword;
  std::string Data;  // the stored bytes, exactly as the system holds them (text as UTF-16LE)

  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// A 32-bit number value (little-endian, as the system stores REG_DWORD).
inline RegistryValue DwordValue(uint32_t number) {
  RegistryValue value;
  value.Type = regtype::kDword;
  PutU32(value.Data, number);
  return value;
}

// The number of a REG_DWORD value of exactly 4 bytes; nothing for anything else.
inline std::optional<uint32_t> DwordOf(const RegistryValue& value) {
  if (value.Type != regtype::kDword || value.Data.size() != 4) return std::nullopt;
  return GetU32(value.Data, 0);
}

class Registry {
 public:
  virtual ~Registry() = default;
  // True when the key can be opened with full access.
  virtual bool KeyExists(const std::string& path) = 0;
  // Creates `subkey` (one or more levels) below the existing key `parent`;
  // false when `parent` cannot be opened or the creation fails.
  virtual bool CreateSubkey(const std::string& parent, const std::string& subkey) = 0;
  // Deletes the key `name` below `parent` with its values; a key that has
  // subkeys of its own is not deleted.
  virtual bool DeleteSubkey(const std::string& parent, const std::string& name) = 0;
  // True when the key exists and holds neither values nor subkeys.
  virtual bool KeyIsEmpty(const std::string& path) = 0;
  // The value's type and raw bytes, unconverted.
  virtual std::optional<RegistryValue> ReadValue(const std::string& key, const std::string& name) = 0;
  // Stores the type and bytes unconverted. The key must exist; an existing
  // value is replaced.
  virtual bool WriteValue(const std::string& key, const std::string& name, const RegistryValue& value) = 0;
  // A missing value is no failure.
  virtual bool DeleteValue(const std::string& key, const std::string& name) = 0;
};
