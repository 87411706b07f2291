#pragma once

#include <windows.h>
#include <ole2.h>

// Drag and drop needs OLE on the user-interface thread for the whole run.
class OleScope {
 public:
  OleScope() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~OleScope() {
    if (ok_) ::OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool Ok() const { return ok_; }

 private:
  bool ok_;
};
