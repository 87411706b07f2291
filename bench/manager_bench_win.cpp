// Times the buttons manager on the 128 x 64 database under Wine, side by side
// with plain baselines in the same run:
//   open: CButtonsManager made modeless (template, tool bar, tree filled with
//         every bar and button and their icons, fields shown, undo copy taken)
//         against a bare tree control filled with the same items and their
//         small icons, each icon file's icon extracted once, the floor of any
//         tree that shows them;
//   OK:   the manager's OK (the entry re-selected, the database saved through
//         the undo copy) against a direct-mode StgCreateDocfile of the same
//         database, written element by element.
//
// Usage: qr_win_manager_bench [repeats]
// Prints one table; the exit code is 1 when a step failed.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "db_raw_floors_win.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "db/records.h"
#include "editing/manager/manager_dialog_win.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_services_win.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/storage_ole_win.h"
#include "sample_database.h"

namespace {

constexpr int32_t kBars = 128;
constexpr int32_t kButtons = 64;

class BenchHost : public ManagerHost {
 public:
  int DisplayedBar() override { return 0; }
  void SetDisplayedBar(int) override {}
  void ApplyOptions() override {}
};

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimeMs(bool& ok, const std::function<bool()>& run) {
  LARGE_INTEGER start{};
  ::QueryPerformanceCounter(&start);
  if (!run()) ok = false;
  return MillisecondsSince(start);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// The floor of the tree: a bare tree control in a plain window, every bar and
// button inserted with the small icon of its icon file.
bool FillBareTree(const CDB& db) {
  HWND frame = ::CreateWindowExA(0, "STATIC", "tree", WS_POPUP, 0, 0, 300, 600, nullptr, nullptr, nullptr, nullptr);
  HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS, 0, 0, 300,
                                600, frame, nullptr, nullptr, nullptr);
  if (!tree) return false;
  UniqueImageList images(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1));
  ::SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Get()));
  std::map<std::pair<std::string, int>, int> extracted;
  auto imageOf = [&](const std::string& iconFile, int iconIndex) {
    auto [at, added] = extracted.try_emplace({iconFile, iconIndex}, -1);
    if (added) at->second = ::ImageList_AddIcon(images.Get(), GetButtonIcon(iconFile, iconIndex, db.ProgramFolder()).Small.Get());
    return at->second;
  };
  auto insert = [&](HTREEITEM parent, const std::string& caption, const std::string& iconFile, int iconIndex) {
    std::string text = caption;
    TVINSERTSTRUCTA item = {};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.item.pszText = text.data();
    item.item.iImage = item.item.iSelectedImage = imageOf(iconFile, iconIndex);
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  };
  HTREEITEM root = insert(TVI_ROOT, "Quickrails", "", 0);
  for (int32_t b = 0; b < db.BarCount(); ++b) {
    const CBar& bar = *db.Bar(b);
    HTREEITEM barItem = insert(root, bar.Name, bar.IconFile, bar.IconIndex);
    for (int32_t p = 0; p < bar.Count(); ++p) insert(barItem, bar.At(p)->Name, bar.At(p)->IconFile, bar.At(p)->IconIndex);
  }
  ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  Pump();
  const bool filled = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) > kBars * kButtons;
  ::DestroyWindow(frame);
  return filled;
}

void RemoveFolder(const std::string& folder) {
  for (const char* name : {"lbars.acc", "tmp_db.acc", "undo_tmp.acc", "direct.acc"})
    ::DeleteFileA((folder + "\\" + name).c_str());
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "qrbench_manager";
  ::CreateDirectoryA(folder.c_str(), nullptr);

  OleStorageBackend storage;
  WinFileOps files;
  bool ok = true;
  CDB db(storage, files, [&ok](const std::string& text) {
    std::fprintf(stderr, "storage error: %s\n", text.c_str());
    ok = false;
  });
  db.SetProgramFolder(folder);
  FillSampleDatabase(db, kBars, kButtons);
  if (db.Save() != 1) ok = false;

  MessageTexts texts;
  BenchHost host;
  ManagerServices services;
  std::vector<double> bare, open, direct, save;
  for (int i = 0; i < repeats; ++i) {
    bare.push_back(TimeMs(ok, [&] { return FillBareTree(db); }));
    CButtonsManager manager(db, texts, nullptr, host, services);  // icons from the shell, no cache
    open.push_back(TimeMs(ok, [&] {
      const bool made = manager.CreateModeless(nullptr);
      Pump();
      const ManagerTree& tree = manager.Editor().Tree();
      return made && tree.Root() != kNoItem && tree.Children(tree.Root()).size() == kBars;
    }));
    save.push_back(TimeMs(ok, [&] {
      ::SendMessageA(manager.Hwnd(), WM_COMMAND, IDOK, 0);
      return manager.Hwnd() == nullptr && !db.UndoActive();
    }));
    direct.push_back(TimeMs(ok, [&] { return DirectModeSave(db, folder + "\\direct.acc"); }));
  }
  RemoveFolder(folder);

  const double bareMs = Median(bare), openMs = Median(open), directMs = Median(direct), saveMs = Median(save);
  std::printf("Buttons manager on %d bars x %d buttons, median of %d runs (ms)\n\n", kBars, kButtons, repeats);
  std::printf("%-28s %12s   %-28s %12s %7s\n", "baseline", "", "manager", "", "ratio");
  std::printf("%-28s %12.1f   %-28s %12.1f %7.2f\n", "bare tree fill, icons", bareMs, "open (tree, fields, undo)",
              openMs, openMs / bareMs);
  std::printf("%-28s %12.1f   %-28s %12.1f %7.2f\n", "direct-mode ole32 save", directMs, "OK (save through undo)",
              saveMs, saveMs / directMs);
  if (!ok) std::fprintf(stderr, "a step failed\n");
  return ok ? 0 : 1;
}
