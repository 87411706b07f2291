// CFileDialog2K: the program's open (or save) file dialog. It hands the system
// the larger, 88-byte open-file-name record from platform version 5 on, which
// the system wants before it shows a places bar at all; versions 3 and 4 get
// the 76-byte record, and older ones no dialog.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

class CFileDialog2K {
 public:
  // The system's dialog on a filled record: GetOpenFileNameA or GetSaveFileNameA.
  using SystemDialog = std::function<BOOL(OPENFILENAMEA&)>;

  // `filter` as DialogFilter makes it ("" for none); `initialName` may be null.
  CFileDialog2K(bool openDialog, const char* defaultExt, const char* initialName, DWORD flags,
                std::string filter, HWND parent);
  CFileDialog2K(const CFileDialog2K&) = delete;
  CFileDialog2K& operator=(const CFileDialog2K&) = delete;

  void SetInitialFolder(std::string folder) { initialFolder_ = std::move(folder); }

  // 1 (OK), 2 (Cancel, also when the system dialog failed), or -1 when the
  // platform is too old for the dialog. The owner is disabled while the
  // dialog runs and the focus goes back where it was.
  INT_PTR DoModal();

  // The chosen file: its full path and its name without the folders.
  std::string PathName() const { return name_; }
  std::string FileName() const;
  DWORD Flags() const { return record_.Flags; }

  // For tests: another dialog in place of the system's, another platform version.
  void SetSystemDialog(SystemDialog dialog) { dialog_ = std::move(dialog); }
  void SetPlatformMajorVersion(int major) { major_ = major; }

 private:
  OPENFILENAMEA record_ = {};
  char name_[MAX_PATH] = {};
  std::string defaultExt_;
  std::string filter_;
  std::string initialFolder_;
  HWND parent_;
  SystemDialog dialog_;
  int major_;
};
