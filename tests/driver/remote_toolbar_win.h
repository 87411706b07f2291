// Reading a toolbar that belongs to another process. Toolbar messages that fill a
// structure write through a pointer in the toolbar's own address space, so the
// structure is placed there with VirtualAllocEx and read back with ReadProcessMemory.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "../../src/platform/handles_win.h"
#include "window_query_win.h"

namespace qrdriver {

// A block of memory committed inside another process, released with the object.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size)
      : process_(process),
        address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
        size_(size) {}
  ~RemoteBuffer() {
    if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  LPARAM At(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }

  bool Read(size_t offset, void* out, size_t count) const {
    if (offset + count > size_) return false;
    SIZE_T done = 0;
    return ::ReadProcessMemory(process_, static_cast<char*>(address_) + offset, out, count, &done) &&
           done == count;
  }

 private:
  HANDLE process_;
  void* address_;
  size_t size_;
};

struct ToolbarButton {
  int index = 0;
  int command = 0;
  BYTE state = 0;
  BYTE style = 0;
  bool hasRect = false;  // hidden buttons have no rectangle
  RECT rect = {};        // screen coordinates
  std::string text;
};

inline std::optional<LRESULT> SendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) return std::nullopt;
  return static_cast<LRESULT>(result);
}

class RemoteToolbarReader {
 public:
  explicit RemoteToolbarReader(HWND toolbar)
      : toolbar_(toolbar),
        process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                               FALSE, ProcessOf(toolbar))),
        buffer_(process_.Get(), kBufferSize) {}

  // Every button in order; a failure names the step that went wrong.
  std::vector<ToolbarButton> Buttons() {
    if (!process_) throw Failure{"cannot open the toolbar's process (error " + std::to_string(::GetLastError()) + ")"};
    if (!buffer_) throw Failure{"cannot allocate memory in the toolbar's process"};
    auto count = SendWithTimeout(toolbar_, TB_BUTTONCOUNT, 0, 0);
    if (!count) throw Failure{"TB_BUTTONCOUNT timed out"};
    std::vector<ToolbarButton> buttons;
    for (int i = 0; i < static_cast<int>(*count); ++i) buttons.push_back(Button(i));
    return buttons;
  }

 private:
  static constexpr size_t kRectOffset = 64;  // room for a TBBUTTON of either width
  static constexpr size_t kTextOffset = 128;
  static constexpr size_t kTextCapacity = 1024;
  static constexpr size_t kBufferSize = kTextOffset + kTextCapacity;

  ToolbarButton Button(int index) {
    ToolbarButton button;
    button.index = index;
    TBBUTTON raw = {};
    auto got = SendWithTimeout(toolbar_, TB_GETBUTTON, index, buffer_.At(0));
    if (!got || !*got || !buffer_.Read(0, &raw, sizeof raw)) {
      throw Failure{"TB_GETBUTTON failed for button " + std::to_string(index)};
    }
    button.command = raw.idCommand;
    button.state = raw.fsState;
    button.style = raw.fsStyle;
    RECT rect = {};
    auto hasRect = SendWithTimeout(toolbar_, TB_GETITEMRECT, index, buffer_.At(kRectOffset));
    if (hasRect && *hasRect && buffer_.Read(kRectOffset, &rect, sizeof rect)) {
      ::MapWindowPoints(toolbar_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
      button.hasRect = true;
      button.rect = rect;
    }
    button.text = Text(raw.idCommand);
    return button;
  }

  // Separators and buttons without a label have no text (the toolbar answers -1).
  std::string Text(int command) {
    auto length = SendWithTimeout(toolbar_, TB_GETBUTTONTEXTA, command, 0);
    if (!length || *length <= 0 || static_cast<size_t>(*length) >= kTextCapacity) return {};
    auto copied = SendWithTimeout(toolbar_, TB_GETBUTTONTEXTA, command, buffer_.At(kTextOffset));
    if (!copied || *copied <= 0) return {};
    std::string text(static_cast<size_t>(*copied), '\0');
    if (static_cast<size_t>(*copied) >= kTextCapacity || !buffer_.Read(kTextOffset, text.data(), text.size())) return {};
    return text;
  }

  HWND toolbar_;
  UniqueKernelHandle process_;
  RemoteBuffer buffer_;
};

inline Record DescribeToolbarButton(HWND toolbar, const ToolbarButton& button) {
  Record record;
  record.Add("button", button.index)
      .Add("toolbar", HandleText(toolbar))
      .Add("cmd", button.command)
      .Hex("state", button.state)
      .Hex("style", button.style)
      .Add("checked", (button.state & TBSTATE_CHECKED) != 0)
      .Add("enabled", (button.state & TBSTATE_ENABLED) != 0)
      .Add("hidden", (button.state & TBSTATE_HIDDEN) != 0)
      .Add("separator", (button.style & BTNS_SEP) != 0);
  if (button.hasRect) {
    AddRect(record, "rect", button.rect);
  } else {
    record.Add("rect", "");
  }
  record.Add("text", button.text);
  return record;
}

}  // namespace qrdriver
