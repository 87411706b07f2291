// Drops on the bar: where the new buttons go for a point on a row or a column
// of buttons, what each kind of dropped thing becomes, which texts are web
// addresses, and the drop into the model with its one save.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "barwnd/drop/bar_drop.h"
#include "db/cdb.h"
#include "editing/browse/shortcut_fields.h"
#include "host/barwnd/geometry_print.h"
#include "platform/storage_memory.h"
#include "support/file_ops_memory.h"

namespace {

// --- the slot for a drop point ----------------------------------------------

// A top bar: the bar-switch button, then buttons 0 and 1, a separator (2) and
// button 3 from x = 45; button 4 is hidden; the clock panel at the far end.
// A left or right bar is the same picture with x and y exchanged.
Rect Across(const Rect& r, bool vertical) { return vertical ? Rect{r.top, r.left, r.bottom, r.right} : r; }
Point Across(Point p, bool vertical) { return vertical ? Point{p.y, p.x} : p; }

DropLayout FourItems(bool vertical) {
  DropLayout layout;
  layout.vertical = vertical;
  layout.count = 5;
  layout.firstSlot = Across({45, 5, 68, 27}, vertical);
  layout.refused = {Across({2, 5, 25, 27}, vertical), Across({300, 2, 465, 30}, vertical)};
  const std::vector<std::pair<int32_t, Rect>> items = {
      {0, {45, 5, 68, 27}}, {1, {68, 5, 91, 27}}, {2, {91, 5, 103, 27}}, {3, {103, 5, 126, 27}}};
  for (const auto& [position, rect] : items) layout.items.push_back({position, Across(rect, vertical)});
  return layout;
}

struct SlotCase {
  const char* name;
  Point point;  // on the top bar
  int32_t index;  // -1: refused
  int markerAlong;  // where the marker's line stands along the bar
};

class DropSlotTest : public testing::TestWithParam<std::tuple<SlotCase, bool>> {};

TEST_P(DropSlotTest, NewButtonsGoBetweenTheTwoNearestItems) {
  const auto& [c, vertical] = GetParam();
  const std::optional<DropSlot> slot = DropSlotAt(FourItems(vertical), Across(c.point, vertical));
  if (c.index < 0) {
    EXPECT_FALSE(slot.has_value());
    return;
  }
  ASSERT_TRUE(slot.has_value());
  EXPECT_EQ(slot->index, c.index);
  const Rect line{c.markerAlong - 1, 5, c.markerAlong + 1, 27};
  EXPECT_EQ(slot->marker, Across(line, vertical));
}

INSTANTIATE_TEST_SUITE_P(
    Points, DropSlotTest,
    testing::Combine(testing::Values(SlotCase{"BeforeTheToolbar", {35, 10}, 0, 45},
                                     SlotCase{"FirstButtonNearHalf", {50, 10}, 0, 45},
                                     SlotCase{"FirstButtonFarHalf", {60, 10}, 1, 68},
                                     SlotCase{"SecondButtonFarHalf", {85, 10}, 2, 91},
                                     SlotCase{"SeparatorNearHalf", {94, 10}, 2, 91},
                                     SlotCase{"SeparatorFarHalf", {100, 10}, 3, 103},
                                     // After the last placed button, past the hidden one too.
                                     SlotCase{"LastButtonFarHalf", {120, 10}, 5, 126},
                                     SlotCase{"EmptyBarBeyond", {250, 2}, 5, 126},
                                     SlotCase{"OverTheSwitchButton", {10, 10}, -1, 0},
                                     SlotCase{"OverTheClockPanel", {350, 10}, -1, 0}),
                     testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Column" : "Row");
    });

TEST(DropSlot, AHiddenButtonStaysBeforeTheButtonItWasBefore) {
  DropLayout layout;
  layout.count = 3;
  layout.items = {{0, {45, 5, 68, 27}}, {2, {68, 5, 91, 27}}};  // 1 is hidden
  EXPECT_EQ(DropSlotAt(layout, {60, 10})->index, 2);
  EXPECT_EQ(DropSlotAt(layout, {50, 10})->index, 0);
}

// A left bar's toolbar reports its separator beside the button before it and
// draws it as the gap below that button's row.
TEST(DropSlot, AColumnsSeparatorIsTheGapBelowTheRowBeforeIt) {
  DropLayout layout;
  layout.vertical = true;
  layout.count = 4;
  layout.items = {{0, {10, 2, 33, 24}}, {1, {10, 24, 33, 46}}, {2, {33, 24, 45, 46}}, {3, {10, 51, 33, 73}}};
  EXPECT_EQ(DropSlotAt(layout, {20, 40}), (DropSlot{2, {10, 45, 33, 47}}));
  EXPECT_EQ(DropSlotAt(layout, {20, 50}), (DropSlot{3, {10, 50, 33, 52}}));
  EXPECT_EQ(DropSlotAt(layout, {20, 70}), (DropSlot{4, {10, 72, 33, 74}}));
}

TEST(DropSlot, WithoutPlacedButtonsTheMarkerStandsWhereTheFirstWouldGo) {
  DropLayout layout;
  layout.firstSlot = {45, 5, 68, 27};
  layout.count = 2;  // both hidden: the new ones come after them
  EXPECT_EQ(DropSlotAt(layout, {200, 10}), (DropSlot{2, {44, 5, 46, 27}}));
  layout.vertical = true;
  layout.firstSlot = {5, 45, 27, 67};
  layout.count = 0;
  EXPECT_EQ(DropSlotAt(layout, {10, 200}), (DropSlot{0, {5, 44, 27, 46}}));
}

using V = std::vector<std::string>;

std::vector<std::string> Names(const CBar& bar) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < bar.Count(); ++i) names.push_back(bar.At(i)->Name);
  return names;
}

ButtonSpec Named(const std::string& name) {
  ButtonSpec request;
  request.Target = "C:\\" + name + ".txt";
  request.Name = name;
  return request;
}

// --- what each dropped thing becomes ------------------------------------------

class TableLinks : public ShortcutReader {
 public:
  void Resolve(const std::string& path, ShortcutFields& fields) override {
    if (auto it = links.find(path); it != links.end()) fields = it->second;
  }
  std::map<std::string, ShortcutFields> links;
};

class TableSystem : public DropSystem {
 public:
  bool IsFolder(const std::string& path) override { return folders.count(path) != 0; }
  std::string FolderDisplayName(const std::string& path) override { return folders.count(path) ? folders[path] : ""; }
  std::string InternetShortcutUrl(const std::string& path) override { return urls.count(path) ? urls[path] : ""; }
  ShortcutReader& Links() override { return links; }

  std::map<std::string, std::string> folders = {{"C:\\Tools", "Tools folder"}, {"D:\\Nameless\\", ""}};
  std::map<std::string, std::string> urls = {{"C:\\Links\\site.url", "https://example.com/a"}};
  TableLinks links;
};

struct ItemCase {
  const char* name;
  DroppedItem item;
  bool made;
  ButtonSpec expected;  // Target, Name, WorkDir, Arguments, IconFile, IconIndex, ShowCmd, Kind
};

class DroppedItemTest : public testing::TestWithParam<ItemCase> {};

TEST_P(DroppedItemTest, GetsTheFieldsTheManagersBrowsingWouldGive) {
  const ItemCase& c = GetParam();
  TableSystem system;
  system.links.links["C:\\Links\\Editor.lnk"] = {"C:\\Apps\\ed.exe", "C:\\Apps", "-n", 3, "C:\\Apps\\icons.dll", 2};
  const std::optional<ButtonSpec> button = ButtonForDroppedItem(c.item, system);
  ASSERT_EQ(button.has_value(), c.made);
  if (!c.made) return;
  auto fields = [](const ButtonSpec& b) {
    return std::tie(b.Target, b.Name, b.WorkDir, b.Arguments, b.IconFile, b.IconIndex, b.ShowCmd, b.Kind);
  };
  EXPECT_EQ(fields(*button), fields(c.expected));
}

DroppedItem Path(const char* path) { return {DroppedItem::Kind::kPath, path}; }
DroppedItem Address(const char* text) { return {DroppedItem::Kind::kAddress, text}; }

INSTANTIATE_TEST_SUITE_P(
    Kinds, DroppedItemTest,
    testing::Values(
        ItemCase{"File", Path("C:\\Tools\\notes.txt"), true,
                 {"C:\\Tools\\notes.txt", "notes", "C:\\Tools\\", "", "C:\\Tools\\notes.txt", 0, 1, kFile}},
        ItemCase{"FileWithoutDot", Path("C:\\Tools\\Makefile"), true,
                 {"C:\\Tools\\Makefile", "Makefile", "C:\\Tools\\", "", "C:\\Tools\\Makefile", 0, 1, kFile}},
        ItemCase{"Folder", Path("C:\\Tools"), true, {"C:\\Tools", "Tools folder", "", "", "C:\\Tools", 0, 1, kFolder}},
        ItemCase{"FolderWithoutDisplayName", Path("D:\\Nameless\\"), true,
                 {"D:\\Nameless\\", "Nameless", "", "", "D:\\Nameless\\", 0, 1, kFolder}},
        ItemCase{"ShellLink", Path("C:\\Links\\Editor.lnk"), true,
                 {"C:\\Apps\\ed.exe", "Editor", "C:\\Apps", "-n", "C:\\Apps\\icons.dll", 2, 3, kFile}},
        ItemCase{"UnreadableLink", Path("C:\\Links\\broken.lnk"), false, {}},
        ItemCase{"InternetShortcut", Path("C:\\Links\\site.url"), true,
                 {"https://example.com/a", "example.com/a", "", "", "https://example.com/a", 0, 1, kInternet}},
        ItemCase{"AddressWithoutScheme", Address("www.example.org"), true,
                 {"http://www.example.org", "www.example.org", "", "", "http://www.example.org", 0, 1, kInternet}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
  const char* name;
  const char* text;
  std::vector<std::string> addresses;
};

class DroppedTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(DroppedTextTest, OnlyTextOfWebAddressesIsTaken) {
  std::vector<std::string> found;
  for (const DroppedItem& item : AddressesFromText(GetParam().text)) {
    EXPECT_EQ(item.kind, DroppedItem::Kind::kAddress);
    found.push_back(item.text);
  }
  EXPECT_EQ(found, GetParam().addresses);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DroppedTextTest,
    testing::Values(TextCase{"OneAddress", "http://a.example/x", {"http://a.example/x"}},
                    TextCase{"LinesWithBlanksAround", "  https://a.example/\r\nwww.b.example\r\n\r\n",
                             {"https://a.example/", "www.b.example"}},
                    TextCase{"Words", "hello world", {}},
                    TextCase{"AddressThenWords", "http://a.example/\nnot an address", {}},
                    TextCase{"Nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DropQuestion, MoreThanABarsCommandNumbersAskFirstNamingTheCount) {
  EXPECT_FALSE(DropNeedsQuestion(64));
  EXPECT_TRUE(DropNeedsQuestion(65));
  EXPECT_NE(ManyDroppedItemsQuestion(70).find("70 "), std::string::npos);
}

// --- the drop into the model and its save ------------------------------------

class DropSaveTest : public testing::Test {
 protected:
  std::unique_ptr<CDB> Database() {
    auto db = std::make_unique<CDB>(storage_, files_, [this](const std::string& step) { reports_.push_back(step); });
    db->SetProgramFolder("C:\\P");
    return db;
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
  std::vector<std::string> reports_;
  TableSystem system_;
};

// One save for the whole drop, none when nothing in it names a target; the
// dropped ones stand together where the drop put them.
TEST_F(DropSaveTest, DroppedButtonsAreSavedOnceInTheirPlace) {
  auto db = Database();
  db->AddBar("bar");
  for (const char* name : {"a", "b"}) db->AddButton(Named(name));
  EXPECT_EQ(AddDroppedItems(*db, 0, 1, {Path("C:\\Links\\broken.lnk")}, system_).added, 0);
  EXPECT_FALSE(files_.Has("C:\\P\\lbars.acc"));
  const DropResult result = AddDroppedItems(
      *db, 0, 1, {Path("C:\\Tools\\notes.txt"), Path("C:\\Links\\broken.lnk"), Address("www.x.org")}, system_);
  EXPECT_EQ(result.added, 2);
  EXPECT_TRUE(result.saved);
  EXPECT_EQ(Names(*db->Bar(0)), (V{"a", "notes", "www.x.org", "b"}));
  EXPECT_TRUE(reports_.empty());
}

// The buttons stay in memory, as after a manager edit, and the file keeps
// what it had; the save has shown its message.
TEST_F(DropSaveTest, AFailedSaveReportsAndKeepsTheButtonsInMemory) {
  auto db = Database();
  db->AddBar("bar");
  ASSERT_EQ(db->Save(), 1);
  const std::string before = files_.Contents("C:\\P\\lbars.acc");
  storage_.Faults().Clear();
  storage_.Faults().FailNth(MemoryStorageBackend::Op::kCreateFile, 1);
  const DropResult result = AddDroppedItems(*db, 0, 0, {Path("C:\\Tools")}, system_);
  EXPECT_EQ(result.added, 1);
  EXPECT_FALSE(result.saved);
  EXPECT_EQ(reports_.size(), 1u);
  EXPECT_EQ(Names(*db->Bar(0)), V{"Tools folder"});
  EXPECT_EQ(files_.Contents("C:\\P\\lbars.acc"), before);
}

}  // namespace
