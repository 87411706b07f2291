// The buttons manager created modeless over a prepared database, looked at
// through its own controls: tree items and images, the fields each kind of
// entry shows, Restore, the tool bar and its tips, help; and the type choice.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/manager/manager_dialog_win.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_icons_win.h"
#include "editing/manager/manager_services_win.h"
#include "editing/manager/type_select_dialog_win.h"
#include "editing_ids.h"
#include "support/file_ops_memory.h"
#include "platform/display_scale_win.h"
#include "platform/html_help_win.h"
#include "platform/storage_memory.h"
#include "support/pump_messages_win.h"

namespace {

constexpr const char* kNotepad = "C:\\windows\\notepad.exe";

class TestHost : public ManagerHost {
 public:
  int DisplayedBar() override { return displayed; }
  void SetDisplayedBar(int ordinal) override { displayed = ordinal; }
  void ApplyOptions() override {}
  int displayed = 0;
};

class RecordingHelp : public HelpViewer {
 public:
  bool ShowTopic(const std::string& topic) override {
    topics.push_back(topic);
    return true;
  }
  std::vector<std::string> topics;
};

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

bool HasVisibleStyle(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

RECT ChildRect(HWND dialog, HWND child) {
  RECT r = {};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class ManagerDialogTest : public testing::Test {
 protected:
  ManagerDialogTest() : storage_(files_), db_(storage_, files_, nullptr) {
    db_.SetProgramFolder("C:\\qrmanager");
    const int32_t tools = db_.AddBar("Tools");
    db_.Bar(tools)->IconFile = kNotepad;
    Add(tools, "Notepad", kNotepad, kFile);
    db_.Bar(tools)->InsertSeparator(0);
    Add(tools, "Windows", "C:\\windows", kFolder);
    Add(tools, "Web", "http://example.com/", kInternet);
    db_.AddBar("Empty");
  }

  void Add(int32_t bar, const char* name, const char* target, int32_t kind) {
    ButtonSpec request;
    request.Name = name;
    request.Target = target;
    request.IconFile = target;
    request.Kind = kind;
    request.Bar = bar;
    db_.AddButton(request);
  }

  void SetUp() override {
    manager_ = std::make_unique<CButtonsManager>(db_, texts_, nullptr, host_, services_);  // icons from the shell
    ASSERT_TRUE(manager_->CreateModeless(nullptr));
    hwnd_ = manager_->Hwnd();
    tree_ = ::GetDlgItem(hwnd_, IDC_MGR_TREE);
  }

  HWND Item(int id) { return ::GetDlgItem(hwnd_, id); }

  std::vector<HTREEITEM> Children(HTREEITEM parent) {
    std::vector<HTREEITEM> out;
    auto child = reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    for (; child; child = reinterpret_cast<HTREEITEM>(
                      ::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child))))
      out.push_back(child);
    return out;
  }

  TVITEMA Read(HTREEITEM item, std::string& text) {
    char buffer[128] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof(buffer);
    ::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    text = buffer;
    return tv;
  }

  HTREEITEM Root() { return Children(nullptr).at(0); }
  HTREEITEM Bar(size_t i) { return Children(Root()).at(i); }
  HTREEITEM Button(size_t bar, size_t i) { return Children(Bar(bar)).at(i); }

  void Select(HTREEITEM item) {
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }

  // The controls of the right-hand side that are shown, in table order.
  std::vector<int> Shown() {
    std::vector<int> ids;
    for (int id : {IDC_MGR_TARGET, IDC_MGR_NAME, IDC_MGR_DETAILS, IDC_MGR_WORKDIR, IDC_MGR_ARGS, IDC_MGR_SIZE,
                   IDC_MGR_CHANGE_ICON, IDC_MGR_ICON_LOWER, IDC_MGR_SHOW_ON_TIMER, IDC_MGR_SECONDS,
                   IDC_MGR_SECONDS_SPIN, IDC_MGR_RESTORE})
      if (HasVisibleStyle(Item(id))) ids.push_back(id);
    return ids;
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_;
  CDB db_;
  MessageTexts texts_;
  TestHost host_;
  ManagerServices services_;
  std::unique_ptr<CButtonsManager> manager_;
  HWND hwnd_ = nullptr;
  HWND tree_ = nullptr;
};

TEST_F(ManagerDialogTest, TemplateHasTheManagersSizeAndTitle) {
  EXPECT_EQ(TextOf(hwnd_), "Buttons Manager");
  RECT expected = {0, 0, 385, 252};
  ::MapDialogRect(hwnd_, &expected);
  RECT client = {};
  ::GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);
  // The tree on the left, the fields on the right of it.
  EXPECT_LT(ChildRect(hwnd_, tree_).right, ChildRect(hwnd_, Item(IDC_MGR_NAME)).left);
  EXPECT_EQ(::SendMessageA(Item(IDC_MGR_SIZE), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(::SendMessageA(Item(IDC_MGR_SECONDS_SPIN), UDM_GETBUDDY, 0, 0),
            reinterpret_cast<LRESULT>(Item(IDC_MGR_SECONDS)));
  int low = 0, high = 0;
  ::SendMessageA(Item(IDC_MGR_SECONDS_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 600);
}

TEST_F(ManagerDialogTest, TreeShowsBarsButtonsAndSeparatorsWithImages) {
  std::string text;
  const TVITEMA root = Read(Root(), text);
  EXPECT_EQ(text, "Quickrails");
  EXPECT_EQ(root.iImage, 0);
  std::vector<std::string> bars;
  for (HTREEITEM bar : Children(Root())) bars.push_back((Read(bar, text), text));
  EXPECT_EQ(bars, (std::vector<std::string>{"Tools", "Empty"}));
  std::vector<std::string> buttons;
  std::vector<int> images;
  for (HTREEITEM button : Children(Bar(0))) {
    images.push_back(Read(button, text).iImage);
    buttons.push_back(text);
  }
  EXPECT_EQ(buttons, (std::vector<std::string>{"Notepad", "- separator -", "Windows", "Web"}));
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(list, nullptr);
  const int count = ::ImageList_GetImageCount(list);
  for (int image : {images[0], images[1], images[2]}) {
    EXPECT_GT(image, 0) << "each has an image of its own, the root's is 0";
    EXPECT_LT(image, count);
  }
  EXPECT_NE(images[0], images[1]);
  int width = 0, height = 0;
  ::ImageList_GetIconSize(list, &width, &height);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 16);
  // Opening selected the first button of the displayed bar.
  EXPECT_EQ(::SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(Button(0, 0)));
}

TEST_F(ManagerDialogTest, EachKindOfEntryShowsItsFields) {
  // A file button without and with Details.
  EXPECT_EQ(TextOf(Item(IDC_MGR_NAME)), "Notepad");
  EXPECT_EQ(TextOf(Item(IDC_MGR_TARGET)), kNotepad);
  EXPECT_EQ(Shown(), (std::vector<int>{IDC_MGR_TARGET, IDC_MGR_NAME, IDC_MGR_DETAILS, IDC_MGR_RESTORE}));
  EXPECT_NE(::SendMessageA(Item(IDC_MGR_ICON_UPPER), STM_GETICON, 0, 0), 0) << "the upper box shows the icon";
  ::SendMessageA(Item(IDC_MGR_DETAILS), BM_CLICK, 0, 0);
  EXPECT_EQ(Shown(), (std::vector<int>{IDC_MGR_TARGET, IDC_MGR_NAME, IDC_MGR_DETAILS, IDC_MGR_WORKDIR, IDC_MGR_ARGS,
                                       IDC_MGR_SIZE, IDC_MGR_CHANGE_ICON, IDC_MGR_ICON_LOWER, IDC_MGR_RESTORE}));
  // A folder button keeps Details but has no working folder or arguments.
  Select(Button(0, 2));
  EXPECT_EQ(TextOf(Item(IDC_MGR_NAME)), "Windows");
  EXPECT_EQ(Shown(), (std::vector<int>{IDC_MGR_TARGET, IDC_MGR_NAME, IDC_MGR_DETAILS, IDC_MGR_SIZE,
                                       IDC_MGR_CHANGE_ICON, IDC_MGR_ICON_LOWER, IDC_MGR_RESTORE}));
  EXPECT_EQ(TextOf(Item(IDC_MGR_NAME_LABEL)), "Button\nname");
  // A bar.
  Select(Bar(0));
  EXPECT_EQ(Shown(), (std::vector<int>{IDC_MGR_NAME, IDC_MGR_CHANGE_ICON, IDC_MGR_ICON_LOWER, IDC_MGR_SHOW_ON_TIMER,
                                       IDC_MGR_SECONDS, IDC_MGR_SECONDS_SPIN, IDC_MGR_RESTORE}));
  EXPECT_EQ(TextOf(Item(IDC_MGR_NAME_LABEL)), "Quickrail\nname");
  EXPECT_EQ(TextOf(Item(IDC_MGR_AVAILABLE)), "Quickrail is available");
  EXPECT_FALSE(::IsWindowEnabled(Item(IDC_MGR_SECONDS))) << "no timer: no seconds";
  ::SendMessageA(Item(IDC_MGR_SHOW_ON_TIMER), BM_CLICK, 0, 0);
  EXPECT_TRUE(::IsWindowEnabled(Item(IDC_MGR_SECONDS)));
  EXPECT_EQ(TextOf(Item(IDC_MGR_SECONDS)), "1");
  // A separator shows nothing.
  Select(Button(0, 1));
  EXPECT_EQ(Shown(), std::vector<int>{});
  EXPECT_EQ(db_.GetHomeBar(), 0) << "leaving the bar made it the home bar";
}

TEST_F(ManagerDialogTest, AnEditEnablesRestoreAndRestoreTakesItBack) {
  HWND restore = Item(IDC_MGR_RESTORE);
  EXPECT_FALSE(::IsWindowEnabled(restore)) << "disabled when the dialog opens";
  Select(Button(0, 2));
  EXPECT_FALSE(::IsWindowEnabled(restore)) << "showing an entry is no edit";
  ::SetWindowTextA(Item(IDC_MGR_NAME), "System");
  EXPECT_TRUE(::IsWindowEnabled(restore));
  ::SendMessageA(restore, BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(Item(IDC_MGR_NAME)), "Windows");
  EXPECT_FALSE(::IsWindowEnabled(restore));
  ::SendMessageA(Item(IDC_MGR_SIZE), CB_SETCURSEL, 1, 0);
  ::SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(IDC_MGR_SIZE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_MGR_SIZE)));
  EXPECT_TRUE(::IsWindowEnabled(restore));
  // A typed name reaches the model and the tree when the entry is left.
  ::SetWindowTextA(Item(IDC_MGR_NAME), "System");
  Select(Bar(1));
  std::string text;
  Read(Button(0, 2), text);
  EXPECT_EQ(text, "System");
  EXPECT_EQ(db_.Bar(0)->At(2)->Name, "System");
  EXPECT_EQ(db_.Bar(0)->At(2)->ShowCmd, 3);
}

TEST_F(ManagerDialogTest, ToolBarHasEightButtonsWithTheirTips) {
  HWND bar = manager_->ToolbarWindow();
  ASSERT_NE(bar, nullptr);
  const RECT place = ChildRect(hwnd_, bar);
  // x 215 beside a tree that ends before it (96 DPI with the standard dialog
  // font); further right when the font makes the tree wider.
  const RECT tree = ChildRect(hwnd_, tree_);
  EXPECT_GE(place.left, CButtonsManager::kToolbarX);
  EXPECT_GT(place.left, tree.right);
  if (tree.right + 4 <= CButtonsManager::kToolbarX) {
    EXPECT_EQ(place.left, CButtonsManager::kToolbarX);
  }
  EXPECT_LT(place.bottom, ChildRect(hwnd_, Item(IDC_MGR_AVAILABLE)).top) << "above the fields";
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.right - place.left, 273);
  EXPECT_EQ(place.bottom - place.top, 40);
  ASSERT_EQ(::SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 8);
  const LRESULT size = ::SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(size), 39);
  EXPECT_EQ(HIWORD(size), 38);

  const std::vector<std::pair<int, std::string>> tips = {
      {ID_MGR_ADD_BUTTON, "Add a button"}, {ID_MGR_ADD_BAR, "Add a quickrail"},
      {ID_MGR_ADD_PRESET, "Add a preset quickrail"}, {ID_MGR_SEPARATOR, "Separator"}, {ID_MGR_DELETE, "Delete"},
      {ID_MGR_MOVE_DOWN, "Move down"}, {ID_MGR_MOVE_UP, "Move up"}, {ID_MGR_SPARE, ""}};
  HWND tooltip = reinterpret_cast<HWND>(::SendMessageA(bar, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tooltip, nullptr);
  for (size_t i = 0; i < tips.size(); ++i) {
    TBBUTTON button = {};
    ::SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.idCommand, tips[i].first);
    // The tip control asks the tool bar, which asks the dialog.
    char text[128] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = bar;
    tool.uId = static_cast<UINT_PTR>(tips[i].first);
    tool.lpszText = text;
    ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text), tips[i].second) << tips[i].first;
  }
}

TEST_F(ManagerDialogTest, F1ShowsTheManagersHelpTopic) {
  RecordingHelp help;
  ScopedHelpViewer scope(help);
  HELPINFO info = {};
  info.cbSize = sizeof(info);
  ::SendMessageA(hwnd_, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(help.topics, std::vector<std::string>{"w_btnsman.htm"});
}

Size TreeImageSize(HWND tree) {
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int width = 0, height = 0;
  if (list) ::ImageList_GetIconSize(list, &width, &height);
  return {width, height};
}

int BoxIconWidth(HWND box) { return IconWidth(reinterpret_cast<HICON>(::SendMessageA(box, STM_GETICON, 0, 0))); }

// The tool bar's buttons measured against today's 39 x 38 scaled by `dpi`.
void ExpectToolbarButtonsAt(HWND bar, int dpi) {
  const LRESULT size = ::SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
  EXPECT_NEAR(LOWORD(size), 39.0 * dpi / 96, 1.0) << dpi;
  EXPECT_NEAR(HIWORD(size), 38.0 * dpi / 96, 1.0) << dpi;
  RECT seventh = {};
  ASSERT_TRUE(::SendMessageA(bar, TB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&seventh)));
  RECT client = {};
  ::GetClientRect(bar, &client);
  EXPECT_LE(seventh.right, client.right) << "the seventh button shows whole at " << dpi;
}

TEST_F(ManagerDialogTest, TreeToolBarAndIconBoxesAtEveryScale) {
  const int dpi = SystemDpi();
  const IconSides sides = IconSidesAt(dpi);
  EXPECT_EQ(manager_->Dpi(), dpi);
  EXPECT_EQ(TreeImageSize(tree_), (Size{sides.small, sides.small}));
  // Notepad's button is selected: both boxes hold its icon at the large side.
  EXPECT_EQ(BoxIconWidth(Item(IDC_MGR_ICON_UPPER)), sides.large);
  EXPECT_EQ(BoxIconWidth(Item(IDC_MGR_ICON_LOWER)), sides.large);
  HWND bar = manager_->ToolbarWindow();
  ExpectToolbarButtonsAt(bar, dpi);
  EXPECT_GT(ChildRect(hwnd_, bar).left, ChildRect(hwnd_, tree_).right);
}

TEST_F(ManagerDialogTest, AnotherScaleTakesTheSuggestedPlaceAndRedrawsTheImages) {
  const int before = ::ImageList_GetImageCount(
      reinterpret_cast<HIMAGELIST>(::SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)));
  std::string text;
  const int notepadImage = Read(Button(0, 0), text).iImage;
  RECT suggested = {};
  ::GetWindowRect(hwnd_, &suggested);
  suggested = {suggested.left + 10, suggested.top + 5, suggested.left + 10 + 2 * (suggested.right - suggested.left),
               suggested.top + 5 + 2 * (suggested.bottom - suggested.top)};
  // The DPI comes with the message, whatever the window's monitor says.
  ::SendMessageA(hwnd_, kDpiChangedMessage, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
  PumpMessages(2000, [&] { return TreeImageSize(tree_).cx == 32; });

  RECT now = {};
  ::GetWindowRect(hwnd_, &now);
  EXPECT_TRUE(::EqualRect(&now, &suggested));
  EXPECT_EQ(manager_->Dpi(), 192);
  EXPECT_EQ(TreeImageSize(tree_), (Size{32, 32}));
  auto list = reinterpret_cast<HIMAGELIST>(::SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  EXPECT_EQ(::ImageList_GetImageCount(list), before) << "every image again, in its place";
  EXPECT_EQ(Read(Button(0, 0), text).iImage, notepadImage);
  EXPECT_EQ(BoxIconWidth(Item(IDC_MGR_ICON_UPPER)), 64);
  ExpectToolbarButtonsAt(manager_->ToolbarWindow(), 192);
}

// Keeps the manager on the screen for a look (QR_MANAGER_HOLD_MS), with
// Details pressed (QR_MANAGER_DETAILS) or a bar selected (QR_MANAGER_BAR).
TEST_F(ManagerDialogTest, HoldsForAScreenshot) {
  const char* hold = std::getenv("QR_MANAGER_HOLD_MS");
  if (!hold) GTEST_SKIP() << "set QR_MANAGER_HOLD_MS to look at the dialog";
  const DWORD ms = static_cast<DWORD>(std::atoi(hold));
  ::ShowWindow(hwnd_, SW_SHOW);
  if (std::getenv("QR_MANAGER_DETAILS")) ::SendMessageA(Item(IDC_MGR_DETAILS), BM_CLICK, 0, 0);
  if (std::getenv("QR_MANAGER_BAR")) Select(Bar(0));
  PumpMessages(ms);
}

TEST(TypeSelectDialog, PreselectsTheFirstKindEachTime) {
  MessageTexts texts;
  for (int run = 0; run < 2; ++run) {
    CTypeSelectDlg dialog(texts);
    EXPECT_EQ(dialog.Choice(), -1);
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(TextOf(dialog.Hwnd()), "Type select");
    EXPECT_EQ(dialog.Choice(), 0);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.Hwnd(), IDC_TYPE_FILE), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.Hwnd(), IDC_TYPE_WEB), BST_UNCHECKED);
    ::CheckRadioButton(dialog.Hwnd(), IDC_TYPE_FILE, IDC_TYPE_WEB, IDC_TYPE_WEB);
    ::SendMessageA(::GetDlgItem(dialog.Hwnd(), IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.Choice(), 2);
  }
}

}  // namespace
