// CMenuXP drawing on a memory bitmap, its routing of requests to sub-menus and
// its ownership of sub-menus and icons.
#include "widgets/menu_xp_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "win/widgets/test_canvas_win.h"

namespace {

constexpr COLORREF kSentinel = RGB(0x12, 0x34, 0x56);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr RECT kItem = {0, 0, 100, 20};  // icon square [0, 20), inner [2, 18), caption [22, 84)

std::unique_ptr<CMenuXP> TestMenu() {
  auto menu = std::make_unique<CMenuXP>();
  menu->colors.background = 0xDEE1E9;
  menu->colors.selection = 0xFF9966;
  menu->colors.iconColumn = RGB(0xC0, 0xC8, 0xD0);
  menu->colors.text = RGB(0, 0, 0x80);
  menu->colors.selectedText = RGB(0xFF, 0xFF, 0xF0);
  menu->colors.disabledText = RGB(0x70, 0x70, 0x70);
  return menu;
}

std::unique_ptr<MenuItemRecord> Record(const char* text, bool withIcon) {
  return std::make_unique<MenuItemRecord>(100, text, withIcon ? MakeTestIcon() : UniqueIcon());
}

DRAWITEMSTRUCT Request(HMENU menu, int position, UINT state, const RECT& rect, HDC dc) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA | MIIM_ID;
  ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  DRAWITEMSTRUCT request = {};
  request.CtlType = ODT_MENU;
  request.itemID = info.wID;
  request.itemAction = ODA_DRAWENTIRE;
  request.itemState = state;
  request.hwndItem = reinterpret_cast<HWND>(menu);
  request.hDC = dc;
  request.rcItem = rect;
  request.itemData = info.dwItemData;
  return request;
}

// Pixels in the rectangle that are not `background`.
int Marked(const TestCanvas& canvas, const RECT& r, COLORREF background) {
  int area = (r.right - r.left) * (r.bottom - r.top);
  return area - canvas.Count(r, background);
}

TEST(MenuXpDraw, SelectedItemWithIconIsLiftedInsideABlackFrame) {
  auto menu = TestMenu();
  menu->AppendItem(0, Record("Open", true));
  TestCanvas canvas(100, 20, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, ODS_SELECTED, kItem, canvas.Dc())));

  for (POINT p : {POINT{0, 0}, POINT{99, 19}, POINT{50, 0}, POINT{0, 10}}) EXPECT_EQ(canvas.At(p.x, p.y), kBlack);
  EXPECT_EQ(canvas.At(95, 10), menu->colors.selection);
  // The icon square keeps the selection colour around the icon.
  EXPECT_EQ(canvas.At(3, 3), menu->colors.selection);
  // The icon moved up and left by one: its opaque square is [5, 13).
  EXPECT_EQ(canvas.At(5, 5), kIconRed);
  EXPECT_EQ(canvas.At(12, 12), kIconRed);
  // Its shadow where it stood and one further down and right.
  const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
  EXPECT_EQ(canvas.At(13, 13), shadow);
  EXPECT_EQ(canvas.At(14, 14), shadow);
  EXPECT_EQ(canvas.At(13, 6), shadow);
  EXPECT_EQ(canvas.At(15, 15), menu->colors.selection);
}

TEST(MenuXpDraw, PlainItemShowsItsIconInTheIconColumn) {
  auto menu = TestMenu();
  menu->AppendItem(0, Record("Open", true));
  TestCanvas canvas(100, 20, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, 0, kItem, canvas.Dc())));
  EXPECT_EQ(canvas.At(6, 6), kIconRed);
  EXPECT_EQ(canvas.At(13, 13), kIconRed);
  EXPECT_EQ(canvas.At(5, 5), menu->colors.iconColumn);
  EXPECT_EQ(canvas.At(0, 0), menu->colors.iconColumn);
  EXPECT_EQ(canvas.At(95, 10), menu->colors.background);
  EXPECT_EQ(canvas.At(99, 19), menu->colors.background);  // no frame
}

TEST(MenuXpDraw, CheckedItemWithoutIconShowsTheCheckMarkInAFramedSquare) {
  auto menu = TestMenu();
  menu->AppendItem(0, Record("Left", false));
  TestCanvas canvas(100, 20, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, ODS_CHECKED, kItem, canvas.Dc())));

  for (POINT p : {POINT{0, 0}, POINT{19, 19}, POINT{19, 0}, POINT{0, 19}}) EXPECT_EQ(canvas.At(p.x, p.y), kBlack);
  EXPECT_EQ(canvas.At(1, 1), menu->colors.selection);
  EXPECT_EQ(canvas.At(18, 18), menu->colors.selection);
  // Three strokes from x0 = y0 = 6: down to (8, 11 + i), up to (13, 6 + i).
  for (int i = 0; i < 3; ++i) {
    for (POINT p : {POINT{6, 9 + i}, POINT{7, 10 + i}, POINT{8, 11 + i}, POINT{10, 9 + i}, POINT{12, 7 + i}}) {
      EXPECT_EQ(canvas.At(p.x, p.y), kBlack) << "stroke " << i << " at " << p.x << "," << p.y;
    }
  }
  EXPECT_EQ(canvas.At(6, 8), menu->colors.selection);
  EXPECT_EQ(canvas.At(6, 12), menu->colors.selection);
  EXPECT_EQ(canvas.At(20, 10), menu->colors.background);  // the frame is the square's only
  EXPECT_EQ(canvas.At(99, 0), menu->colors.background);
}

TEST(MenuXpDraw, DisabledItemShowsTheIconAsAnEmbossedSilhouette) {
  auto menu = TestMenu();
  menu->AppendItem(MF_GRAYED, Record("Open", true));
  TestCanvas canvas(100, 20, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, ODS_GRAYED | ODS_DISABLED | ODS_SELECTED, kItem,
                                     canvas.Dc())));
  EXPECT_EQ(canvas.Count(canvas.Rect(), kIconRed), 0);
  EXPECT_EQ(canvas.At(6, 6), ::GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(13, 13), ::GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(14, 14), ::GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(canvas.At(1, 1), menu->colors.iconColumn);
  // A disabled item is never highlighted, even under the mouse.
  EXPECT_EQ(canvas.At(0, 0), menu->colors.iconColumn);
  EXPECT_EQ(canvas.At(95, 10), menu->colors.background);
  EXPECT_GT(Marked(canvas, {22, 0, 84, 20}, menu->colors.background), 0);
}

TEST(MenuXpDraw, CaptionSplitsAtTheTabAndTheDefaultItemIsBold) {
  auto menu = TestMenu();
  const char* captions[] = {"Ab\tCd", "\tCd", "Buttons manager...", "Buttons manager..."};
  for (const char* caption : captions) menu->AppendItem(0, Record(caption, false));
  ::SetMenuDefaultItem(menu->Handle(), 3, TRUE);
  const COLORREF bg = menu->colors.background;

  TestCanvas canvas(100, 20, kSentinel);
  std::vector<int> marked;
  for (int position = 0; position < 4; ++position) {
    canvas.Fill(kSentinel);
    ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), position, 0, kItem, canvas.Dc())));
    marked.push_back(Marked(canvas, {22, 0, 84, 20}, bg));
    if (position == 0) {
      EXPECT_GT(Marked(canvas, {22, 0, 40, 20}, bg), 0) << "the part before the tab, on the left";
      EXPECT_GT(Marked(canvas, {66, 0, 84, 20}, bg), 0) << "the part after it, on the right";
      EXPECT_EQ(Marked(canvas, {40, 0, 66, 20}, bg), 0) << "nothing between them";
    }
  }
  EXPECT_EQ(marked[1], 0) << "a leading tab shows no text";
  EXPECT_GT(marked[3], marked[2]) << "the default item is drawn bold";
}

TEST(MenuXpDraw, SeparatorIsAnEtchedLineAtItsMiddle) {
  auto menu = TestMenu();
  menu->AppendSeparator();
  TestCanvas canvas(100, 8, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, 0, {0, 0, 100, 8}, canvas.Dc())));
  EXPECT_EQ(canvas.At(50, 4), ::GetSysColor(COLOR_3DSHADOW));
  EXPECT_EQ(canvas.At(50, 5), ::GetSysColor(COLOR_3DHILIGHT));
  EXPECT_EQ(canvas.At(50, 1), menu->colors.background);
  EXPECT_EQ(canvas.At(1, 4), menu->colors.iconColumn);
  EXPECT_EQ(canvas.At(19, 7), menu->colors.iconColumn);
}

TEST(MenuXpDraw, ForeignItemsAreLeftAlone) {
  auto menu = TestMenu();
  menu->AppendItem(0, Record("Open", false));
  MenuItemRecord stranger(5, "Not ours");  // carries the magic, but this menu never made it
  ::AppendMenuA(menu->Handle(), MF_OWNERDRAW, 5, reinterpret_cast<LPCSTR>(&stranger));
  ::AppendMenuA(menu->Handle(), MF_OWNERDRAW, 6, nullptr);
  TestCanvas canvas(100, 20, kSentinel);
  for (int position : {1, 2}) {
    EXPECT_FALSE(menu->DrawItem(Request(menu->Handle(), position, 0, kItem, canvas.Dc())));
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 5, 1234, 5678, Request(menu->Handle(), position, 0, kItem, nullptr).itemData};
    EXPECT_FALSE(menu->MeasureItem(measure));
    EXPECT_EQ(measure.itemWidth, 1234u);
  }
  EXPECT_EQ(canvas.Count(canvas.Rect(), kSentinel), 100 * 20);
  // A request that names another menu is not this menu's either.
  CMenuXP other;
  EXPECT_FALSE(other.DrawItem(Request(menu->Handle(), 0, 0, kItem, canvas.Dc())));
}

TEST(MenuXpDraw, SubMenuItemsAreDrawnInTheSubMenusColours) {
  auto menu = TestMenu();
  auto sub = TestMenu();
  sub->colors.background = 0xA4FAC8;
  sub->AppendItem(0, Record("Top", false));
  HMENU subHandle = sub->Handle();
  menu->AppendSubMenu(0, std::move(sub), Record("Screen edge", false));
  ASSERT_EQ(menu->FindMenu(subHandle)->colors.background, 0xA4FAC8u);

  TestCanvas canvas(100, 20, kSentinel);
  ASSERT_TRUE(menu->DrawItem(Request(subHandle, 0, 0, kItem, canvas.Dc())));
  EXPECT_EQ(canvas.At(95, 10), 0xA4FAC8u);
  ASSERT_TRUE(menu->DrawItem(Request(menu->Handle(), 0, 0, kItem, canvas.Dc())));
  EXPECT_EQ(canvas.At(95, 10), 0xDEE1E9u);
}

bool IconAlive(HICON icon) {
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return false;
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  return true;
}

TEST(MenuXpOwnership, DestroyingAMenuDestroysItsSubMenusAndAllTheirIcons) {
  std::vector<HICON> icons;
  auto record = [&icons](const char* text) {
    auto r = Record(text, true);
    icons.push_back(r->icon.Get());
    return r;
  };
  auto menu = TestMenu();
  auto sub = TestMenu();
  auto subSub = TestMenu();
  subSub->AppendItem(0, record("Deep"));
  sub->AppendItem(0, record("Top"));
  sub->AppendSeparator();
  const HMENU subHandle = sub->Handle();
  const HMENU subSubHandle = subSub->Handle();
  ASSERT_TRUE(sub->AppendSubMenu(0, std::move(subSub), record("More")));
  menu->AppendItem(0, record("Autohide mode"));
  ASSERT_TRUE(menu->AppendSubMenu(0, std::move(sub), record("Screen edge")));
  const HMENU root = menu->Handle();
  EXPECT_NE(menu->FindMenu(subSubHandle), nullptr);
  for (HICON icon : icons) ASSERT_TRUE(IconAlive(icon));

  // A moved-from menu owns nothing any more.
  CMenuXP moved(std::move(*menu));
  menu.reset();
  EXPECT_TRUE(::IsMenu(root));
  for (HICON icon : icons) EXPECT_TRUE(IconAlive(icon));
  {
    CMenuXP gone(std::move(moved));
  }
  for (HMENU h : {root, subHandle, subSubHandle}) EXPECT_FALSE(::IsMenu(h));
  for (HICON icon : icons) EXPECT_FALSE(IconAlive(icon));
}

}  // namespace
