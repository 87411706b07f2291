// Answers the next system dialog this thread shows (file dialog or folder
// browser) from a timer that the dialog's own modal loop runs: a file name is
// typed and "Open" pressed, a folder selected and "OK" pressed, or the dialog
// cancelled.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

class DialogAnswer {
 public:
  enum class Kind { kFileName, kFolder, kCancel };

  static DialogAnswer FileName(std::string path) { return DialogAnswer(Kind::kFileName, std::move(path)); }
  static DialogAnswer Folder(std::string path) { return DialogAnswer(Kind::kFolder, std::move(path)); }
  static DialogAnswer Cancel() { return DialogAnswer(Kind::kCancel, ""); }

  DialogAnswer(DialogAnswer&& other) noexcept : kind_(other.kind_), text_(std::move(other.text_)) {
    timer_ = other.timer_;
    other.timer_ = 0;
    if (timer_) current_ = this;
  }
  ~DialogAnswer() {
    if (timer_) ::KillTimer(nullptr, timer_);
    if (current_ == this) current_ = nullptr;
  }

  // The dialog's title, the texts of its controls joined by "|", and whether
  // an answer was given.
  const std::string& Title() const { return title_; }
  const std::string& ControlTexts() const { return controlTexts_; }
  bool Answered() const { return answered_; }

 private:
  DialogAnswer(Kind kind, std::string text) : kind_(kind), text_(std::move(text)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 200, &DialogAnswer::OnTimer);
  }

  static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM result) {
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof(className));
    if (std::string(className) == "#32770" && ::IsWindowVisible(hwnd)) {
      *reinterpret_cast<HWND*>(result) = hwnd;
      return FALSE;
    }
    return TRUE;
  }

  static BOOL CALLBACK CollectText(HWND hwnd, LPARAM texts) {
    char text[512] = {};
    ::GetWindowTextA(hwnd, text, sizeof(text));
    *reinterpret_cast<std::string*>(texts) += "|" + std::string(text) + "|";
    return TRUE;
  }

  // The caption of the folder the browser's tree has selected.
  static std::string SelectedFolder(HWND dialog) {
    HWND tree = ::FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    if (!tree) return {};
    TVITEMA item = {};
    char text[MAX_PATH] = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
    return text;
  }

  // The browser may not take a selection before its tree is filled: select
  // until the tree shows the folder, then press OK.
  bool FolderSelected(HWND dialog) {
    const std::string last = text_.substr(text_.find_last_of('\\') + 1);
    if (++tries_ > 1 && ::lstrcmpiA(SelectedFolder(dialog).c_str(), last.c_str()) == 0) return true;
    ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(text_.c_str()));
    return tries_ > 25;
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    DialogAnswer* self = current_;
    if (!self || self->answered_) return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &DialogAnswer::FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (self->kind_ == Kind::kFolder && !self->FolderSelected(dialog)) return;
    char title[256] = {};
    ::GetWindowTextA(dialog, title, sizeof(title));
    self->title_ = title;
    ::EnumChildWindows(dialog, &DialogAnswer::CollectText, reinterpret_cast<LPARAM>(&self->controlTexts_));
    self->answered_ = true;
    switch (self->kind_) {
      case Kind::kFileName: {
        // The name box is an edit (edt1) or the edit of a combo box (cmb13).
        HWND box = ::GetDlgItem(dialog, 0x47C);
        if (!box) box = ::GetDlgItem(dialog, 0x480);
        ::SetWindowTextA(box, self->text_.c_str());
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        break;
      }
      case Kind::kFolder:
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        break;
      case Kind::kCancel:
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    }
  }

  Kind kind_;
  std::string text_;
  std::string title_;
  std::string controlTexts_;
  bool answered_ = false;
  int tries_ = 0;
  UINT_PTR timer_ = 0;
  static inline DialogAnswer* current_ = nullptr;
};
