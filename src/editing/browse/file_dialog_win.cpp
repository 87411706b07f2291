#include "editing/browse/file_dialog_win.h"

#include <cstddef>
#include <cstring>

#include "editing/browse/file_dialog_rules.h"
#include "editing/browse/name_rules.h"
#include "platform/common_dialogs_win.h"

static_assert(sizeof(OPENFILENAMEA) == filedialog::kNewRecordSize, "the record with its three trailing fields");
static_assert(offsetof(OPENFILENAMEA, pvReserved) == filedialog::kOldRecordSize,
              "the record of the fourth version ends where the three trailing fields begin");

CFileDialog2K::CFileDialog2K(bool openDialog, const char* defaultExt, const char* initialName, DWORD flags,
                             std::string filter, HWND parent)
    : defaultExt_(defaultExt ? defaultExt : ""),
      filter_(std::move(filter)),
      parent_(parent),
      dialog_(openDialog ? SystemDialog([](OPENFILENAMEA& r) { return ShowOpenFileDialog(&r); })
                         : SystemDialog([](OPENFILENAMEA& r) { return ShowSaveFileDialog(&r); })),
      major_(static_cast<int>(::GetVersion() & 0xFF)) {
  if (initialName) std::strncpy(name_, initialName, sizeof(name_) - 1);
  record_.Flags = flags;
}

std::string CFileDialog2K::FileName() const {
  if (record_.nFileOffset > 0 && record_.nFileOffset < std::strlen(name_)) return name_ + record_.nFileOffset;
  return FileNameOf(name_);
}

INT_PTR CFileDialog2K::DoModal() {
  ClearBehindFirstTerminator(name_, sizeof(name_));
  const int size = FileDialogRecordSize(major_);
  if (size == 0) return filedialog::kNoDialog;

  HWND owner = parent_ ? ::GetAncestor(parent_, GA_ROOT) : ::GetActiveWindow();
  const HWND focus = ::GetFocus();
  const bool disabledOwner = owner && ::IsWindowEnabled(owner);
  if (disabledOwner) ::EnableWindow(owner, FALSE);

  record_.lStructSize = static_cast<DWORD>(size);
  record_.hwndOwner = owner;
  record_.hInstance = nullptr;
  record_.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  record_.nFilterIndex = 1;
  record_.lpstrFile = name_;
  record_.nMaxFile = sizeof(name_);
  record_.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
  record_.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  const BOOL answer = dialog_(record_);

  if (disabledOwner) ::EnableWindow(owner, TRUE);
  if (focus && ::IsWindow(focus)) ::SetFocus(focus);
  return FileDialogResult(answer);
}
