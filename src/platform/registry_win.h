// The registry interface over the real per-user registry (Reg*W below
// HKEY_CURRENT_USER; key and value names are converted from the code page).
#pragma once

#include "platform/registry.h"

class WinRegistry : public Registry {
 public:
  bool KeyExists(const std::string& path) override;
  bool CreateSubkey(const std::string& parent, const std::string& subkey) override;
  bool DeleteSubkey(const std::string& parent, const std::string& name) override;
  bool KeyIsEmpty(const std::string& path) override;
  std::optional<RegistryValue> ReadValue(const std::string& key, const std::string& name) override;
  bool WriteValue(const std::string& key, const std::string& name, const RegistryValue& value) override;
  bool DeleteValue(const std::string& key, const std::string& name) override;
};
