// Drops delivered to the real bar window through its OLE drop target, with
// data objects such as Explorer and browsers hand over: the buttons land at
// the drop point, launch at once and are in "lbars.acc" for the next start;
// the marker, the refusals, the question for many items and the autohide bar
// held out during the drag.
#include "win/barwnd/bar_window_fixture.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <future>
#include <thread>

#include "barwnd/window/bar_commands.h"
#include "support/shell_links_win.h"

namespace bar_window_test {
namespace {

constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// A data object holding one format as memory, as a drag source offers it.
class OneFormatData : public IDataObject {
 public:
  OneFormatData(CLIPFORMAT format, std::string bytes) : format_(format), bytes_(std::move(bytes)) {}

  static OneFormatData Files(const std::vector<std::string>& paths) {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    for (const std::string& path : paths) bytes += path + '\0';
    return OneFormatData(CF_HDROP, bytes + '\0');
  }
  static OneFormatData WideFiles(const std::vector<std::wstring>& paths) {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    for (const std::wstring& path : paths) {
      bytes.append(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(wchar_t));
    }
    return OneFormatData(CF_HDROP, bytes + std::string(sizeof(wchar_t), '\0'));
  }
  static OneFormatData Text(const char* format, const std::string& text) {
    const auto id = format ? static_cast<CLIPFORMAT>(::RegisterClipboardFormatA(format)) : CLIPFORMAT(CF_TEXT);
    return OneFormatData(id, text + '\0');
  }

  // Lives on the test's stack: the counts do not matter.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (format->cfFormat != format_ || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    std::memcpy(::GlobalLock(memory), bytes_.data(), bytes_.size());
    ::GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  // The bar asks for nothing else.
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  CLIPFORMAT format_;
  std::string bytes_;
};

class BarDropTest : public BarWindowTest {
 protected:
  IDropTarget& Target() { return *window_->DropTarget(); }

  DWORD Enter(IDataObject& data, POINT at, DWORD allowed = kAnyEffect) {
    DWORD effect = allowed;
    Target().DragEnter(&data, MK_LBUTTON, {at.x, at.y}, &effect);
    return effect;
  }
  DWORD Over(POINT at, DWORD allowed = kAnyEffect) {
    DWORD effect = allowed;
    Target().DragOver(MK_LBUTTON, {at.x, at.y}, &effect);
    return effect;
  }
  // The drop alone: the bar does its work when its window next takes its messages.
  DWORD DropOnly(IDataObject& data, POINT at, DWORD allowed = kAnyEffect) {
    DWORD effect = allowed;
    Target().Drop(&data, 0, {at.x, at.y}, &effect);
    return effect;
  }
  void TakeMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  DWORD Drop(IDataObject& data, POINT at, DWORD allowed = kAnyEffect) {
    const DWORD effect = DropOnly(data, at, allowed);
    TakeMessages();
    return effect;
  }
  // The whole drag: in, over the point, dropped there.
  DWORD DragAndDrop(IDataObject& data, POINT at) {
    Enter(data, at);
    Over(at);
    return Drop(data, at);
  }

  // A screen point in the far half of toolbar item `i`.
  POINT FarHalfOf(int i) {
    RECT r = Buttons().at(static_cast<size_t>(i)).rect;
    ::MapWindowPoints(window_->ButtonsToolbar(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.right - 3, (r.top + r.bottom) / 2};
  }
  POINT CentreOf(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  std::vector<std::string> Names(const CDB& db, int bar = 0) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < db.Bar(bar)->Count(); ++i) names.push_back(db.Bar(bar)->At(i)->Name);
    return names;
  }
  std::vector<std::string> NamesAfterRestart() {
    CDB restarted;
    restarted.SetProgramFolder(folder_);
    EXPECT_EQ(restarted.Load(), 1);
    return restarted.BarCount() > 0 ? Names(restarted) : std::vector<std::string>{};
  }

  void TearDown() override {
    BarWindowTest::TearDown();
    ::DeleteFileA((folder_ + "\\lbars.acc").c_str());
  }
};

// A file, a folder, a shell link and an internet shortcut dropped together
// between the first two buttons, in their order; they launch at once and are
// in the database file at the next start.
TEST_F(BarDropTest, DroppedThingsBecomeButtonsAtTheDropPoint) {
  AddBar("one", {"a", "b"});
  const std::string notes = folder_ + "\\notes.txt";
  WriteFile(notes);
  const std::string tools = folder_ + "\\Tools";
  ::CreateDirectoryA(tools.c_str(), nullptr);
  ASSERT_TRUE(MakeShellLink(folder_ + "\\Editor.lnk", {notes, "-n", "", SW_SHOWMAXIMIZED}));
  ::WritePrivateProfileStringA("InternetShortcut", "URL", "http://www.example.com/page",
                               (folder_ + "\\site.url").c_str());
  Open();

  OneFormatData files = OneFormatData::Files({notes, tools, folder_ + "\\Editor.lnk", folder_ + "\\site.url"});
  const POINT between = FarHalfOf(0);
  EXPECT_EQ(Enter(files, between), static_cast<DWORD>(DROPEFFECT_LINK));
  // The marker stands in the gap between the two buttons.
  EXPECT_TRUE(window_->DropMarkerShown());
  RECT line = {};
  ::GetWindowRect(::FindWindowA(DropMarker::kClassName, nullptr), &line);
  EXPECT_EQ((line.left + line.right) / 2, between.x + 3);
  EXPECT_EQ(Drop(files, between), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_FALSE(window_->DropMarkerShown());

  const std::vector<std::string> expected = {"a", "notes", "Tools", "Editor", "www.example.com/page", "b"};
  EXPECT_EQ(Names(db_), expected);
  const CD* link = db_.Bar(0)->At(3);
  EXPECT_EQ(link->Target, notes);
  EXPECT_EQ(link->Arguments, "-n");
  EXPECT_EQ(link->ShowCmd, ExpectedShowCmd(SW_SHOWMAXIMIZED));
  EXPECT_EQ(db_.Bar(0)->At(2)->Kind, kFolder);
  EXPECT_EQ(db_.Bar(0)->At(4)->Kind, kInternet);
  EXPECT_EQ(Commands(), (std::vector<int>{1124, 1125, 1126, 1127, 1128, 1129}));

  ::SendMessageA(window_->Hwnd(), WM_COMMAND, 1125, reinterpret_cast<LPARAM>(window_->ButtonsToolbar()));
  EXPECT_EQ(launched_, std::vector<std::string>{notes});
  EXPECT_EQ(NamesAfterRestart(), expected);
}

// Before the first button, after the last, and a web address from a browser.
TEST_F(BarDropTest, AddressesGoBeforeTheFirstAndAfterTheLast) {
  AddBar("one", {"a", "b"});
  Open();
  RECT first = Buttons().front().rect;
  ::MapWindowPoints(window_->ButtonsToolbar(), nullptr, reinterpret_cast<POINT*>(&first), 2);
  OneFormatData shortcut = OneFormatData::Text("UniformResourceLocator", "www.example.org");
  EXPECT_NE(DragAndDrop(shortcut, {first.left + 2, first.top + 5}), static_cast<DWORD>(DROPEFFECT_NONE));
  OneFormatData text = OneFormatData::Text(nullptr, "https://one.example/\r\nftp://two.example/");
  EXPECT_NE(DragAndDrop(text, FarHalfOf(2)), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Names(db_), (std::vector<std::string>{"www.example.org", "a", "b", "one.example/", "ftp://two.example/"}));
  EXPECT_EQ(db_.Bar(0)->At(0)->Target, "http://www.example.org");
}

// Where nothing may be dropped the drag is told so and the bar stays as it was:
// the bar-switch button, words that are no address, a source that only allows moving.
TEST_F(BarDropTest, RefusedDropsChangeNothing) {
  AddBar("one", {"a"});
  Open();
  OneFormatData files = OneFormatData::Files({folder_ + "\\a.txt"});
  EXPECT_EQ(DragAndDrop(files, CentreOf(window_->SwitchToolbar())), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(window_->DropMarkerShown());
  OneFormatData words = OneFormatData::Text(nullptr, "some words");
  EXPECT_EQ(DragAndDrop(words, FarHalfOf(0)), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Enter(files, FarHalfOf(0), DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Drop(files, FarHalfOf(0), DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Names(db_), std::vector<std::string>{"a"});
}

// On a left bar the items stand in a column and the separator is the gap
// below the row before it: the lower half of a button puts the new one below
// it, the far side of the gap puts it after the separator.
TEST_F(BarDropTest, OnALeftBarTheRowsAndTheSeparatorGapTakeTheDrop) {
  settings_.Edge = kEdgeLeft;
  AddBar("one", {"a", "b", "-", "c"});
  WriteFile(folder_ + "\\x.txt");
  WriteFile(folder_ + "\\y.txt");
  Open();
  auto screenRect = [this](size_t i) {
    RECT r = Buttons().at(i).rect;
    ::MapWindowPoints(window_->ButtonsToolbar(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  const RECT b = screenRect(1);
  OneFormatData x = OneFormatData::Files({folder_ + "\\x.txt"});
  EXPECT_NE(DragAndDrop(x, {(b.left + b.right) / 2, b.bottom - 3}), static_cast<DWORD>(DROPEFFECT_NONE));
  const RECT c = screenRect(4);
  OneFormatData y = OneFormatData::Files({folder_ + "\\y.txt"});
  EXPECT_NE(DragAndDrop(y, {(c.left + c.right) / 2, c.top - 1}), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Names(db_), (std::vector<std::string>{"a", "b", "x", "", "y", "c"}));
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<OwnedSearch*>(lp);
  char cls[32] = {};
  ::GetClassNameA(hwnd, cls, sizeof(cls));
  if (::GetWindow(hwnd, GW_OWNER) != search->owner || !::IsWindowVisible(hwnd) || std::string(cls) != "#32770") {
    return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

// The visible dialog the bar owns (a message box, the buttons manager); Wine
// does not answer GW_ENABLEDPOPUP.
HWND DialogOwnedBy(HWND bar) {
  OwnedSearch search = {bar, nullptr};
  ::EnumWindows(&MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Presses a button of the next message box over the bar; its text comes back.
std::future<std::string> AnswerMessageBox(HWND bar, int answer) {
  return std::async(std::launch::async, [bar, answer] {
    for (int i = 0; i < 200; ++i) {
      if (HWND box = DialogOwnedBy(bar)) {
        char text[512] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        ::PostMessageA(box, WM_COMMAND, answer, 0);
        return std::string(text);
      }
      ::Sleep(50);
    }
    return std::string("<none>");
  });
}

// The question comes after the source's drop has returned, and the buttons
// go where the drop point is on the bar as it is after the answer.
TEST_F(BarDropTest, MoreThanSixtyFourItemsAskAfterTheDropReturned) {
  AddBar("one", {"a"});
  Open();
  std::vector<std::string> paths;
  for (int i = 0; i < 65; ++i) paths.push_back(folder_ + "\\a.txt");
  OneFormatData many = OneFormatData::Files(paths);
  Enter(many, FarHalfOf(0));
  EXPECT_EQ(DropOnly(many, FarHalfOf(0)), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(DialogOwnedBy(window_->Hwnd()), nullptr);
  auto no = AnswerMessageBox(window_->Hwnd(), IDNO);
  TakeMessages();
  EXPECT_NE(no.get().find("65 "), std::string::npos);
  EXPECT_EQ(db_.Bar(0)->Count(), 1);
  auto yes = AnswerMessageBox(window_->Hwnd(), IDYES);
  EXPECT_EQ(DragAndDrop(many, FarHalfOf(0)), static_cast<DWORD>(DROPEFFECT_LINK));
  yes.get();
  EXPECT_EQ(db_.Bar(0)->Count(), 66);
  EXPECT_EQ(db_.Bar(0)->At(0)->Name, "a");
}

// Names come wide: one the code page cannot hold is put on the bar by its
// short name, which names the same file; one without a short name (it does
// not exist) is refused by name in the one message, and nothing is made for
// it. An internet shortcut whose address is too long to be read whole is
// named there too.
TEST_F(BarDropTest, AWideNameTheCodePageLacksTakesItsShortNameOrIsRefused) {
  AddBar("one", {"a"});
  const std::string huge = folder_ + "\\huge.url";
  const std::string address = "http://a.example/" + std::string(32767, 'x');
  ASSERT_TRUE(WriteBytes(huge, "[InternetShortcut]\r\nURL=" + address + "\r\n"));
  const std::wstring folder(folder_.begin(), folder_.end());
  const std::wstring omega = folder + L"\\\u03a9mega long name.txt";
  HANDLE made = ::CreateFileW(omega.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(made, INVALID_HANDLE_VALUE);
  ::CloseHandle(made);
  Open();
  OneFormatData files = OneFormatData::WideFiles(
      {omega, folder + L"\\\u03a9 gone.txt", folder + L"\\plain.txt", std::wstring(huge.begin(), huge.end())});
  auto message = AnswerMessageBox(window_->Hwnd(), IDOK);
  EXPECT_EQ(DragAndDrop(files, FarHalfOf(0)), static_cast<DWORD>(DROPEFFECT_LINK));
  const std::string text = message.get();
  EXPECT_NE(text.find("gone.txt"), std::string::npos) << text;
  EXPECT_NE(text.find("huge.url: the web address is longer"), std::string::npos) << text;
  EXPECT_EQ(text.find("mega long"), std::string::npos) << text;
  ASSERT_EQ(db_.Bar(0)->Count(), 3);
  const std::string shortName = db_.Bar(0)->At(1)->Target;
  EXPECT_EQ(shortName.find('?'), std::string::npos) << shortName;
  WIN32_FIND_DATAW found = {};
  HANDLE search = ::FindFirstFileW(std::wstring(shortName.begin(), shortName.end()).c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << shortName;
  ::FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), L"\u03a9mega long name.txt");
  EXPECT_EQ(db_.Bar(0)->At(2)->Target, folder_ + "\\plain.txt");
  ::DeleteFileW(omega.c_str());
}

// The buttons manager owns the model while it is open: a drop then is refused.
class BarDropWithManagerTest : public BarDropTest {
 protected:
  // Runs inside the manager's modal loop: drops, then closes the manager.
  static void CALLBACK DropIntoOpenManager(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    OneFormatData files = OneFormatData::Files({current_->folder_ + "\\a.txt"});
    current_->effects_[0] = current_->Enter(files, current_->FarHalfOf(0));
    current_->effects_[1] = current_->Drop(files, current_->FarHalfOf(0));
    if (HWND manager = DialogOwnedBy(current_->window_->Hwnd())) {
      ::PostMessageA(manager, WM_COMMAND, IDCANCEL, 0);
    }
  }

  static BarDropWithManagerTest* current_;
  DWORD effects_[2] = {99, 99};
};

BarDropWithManagerTest* BarDropWithManagerTest::current_ = nullptr;

TEST_F(BarDropWithManagerTest, NoDropWhileTheButtonsManagerIsOpen) {
  AddBar("one", {"a"});
  Open();
  current_ = this;
  ::SetTimer(nullptr, 0, 500, &DropIntoOpenManager);
  ::SendMessageA(window_->Hwnd(), WM_COMMAND, kCmdButtonsManager, 0);
  EXPECT_EQ(effects_[0], static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(effects_[1], static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Names(db_), std::vector<std::string>{"a"});
}

// A drag that touches the strip of an autohide bar brings it out; it stays
// out while the drag is over it and may collapse once the drag has left.
TEST_F(BarDropTest, AutohideBarStaysOutWhileDraggedOver) {
  AddBar("one", {"a"});
  Open();
  ::SendMessageA(window_->Hwnd(), WM_COMMAND, kCmdAutoHide, 0);
  ASSERT_FALSE(window_->Shown());
  const RECT strip = WindowRect();
  OneFormatData files = OneFormatData::Files({folder_ + "\\a.txt"});
  Enter(files, {strip.left + 200, strip.top});
  EXPECT_TRUE(window_->Shown());
  ::SetCursorPos(400, 400);  // the mouse is away from the bar, as the check sees it
  ::SendMessageA(window_->Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_TRUE(window_->Shown());
  Target().DragLeave();
  ::SendMessageA(window_->Hwnd(), WM_TIMER, kAutoHideTimerId, 0);
  EXPECT_FALSE(window_->Shown());
}

}  // namespace
}  // namespace bar_window_test
