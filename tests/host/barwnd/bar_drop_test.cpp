// Drops on the bar: where the new buttons go for a point on a row or a column
// of buttons, what each kind of dropped thing becomes, which texts are web
// addresses, and the drop into the model with its one save.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "barwnd/drop/bar_drop.h"
#include "barwnd/drop/drop_texts.h"
#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/browse/shortcut_fields.h"
#include "host/barwnd/geometry_print.h"
#include "platform/storage_memory.h"
#include "support/file_ops_memory.h"

namespace {

// --- the slot for a drop point ----------------------------------------------

// A top bar: the bar-switch button, then buttons 0 and 1, a separator (2) and
// button 4 from x = 45; buttons 3 and 5 are hidden; the clock panel at the far
// end. A left or right bar is the same picture with x and y exchanged.
Rect Across(const Rect& r, bool vertical) { return vertical ? Rect{r.top, r.left, r.bottom, r.right} : r; }
Point Across(Point p, bool vertical) { return vertical ? Point{p.y, p.x} : p; }

DropLayout FourItems(bool vertical) {
  DropLayout layout;
  layout.vertical = vertical;
  layout.count = 6;
  layout.firstSlot = Across({45, 5, 68, 27}, vertical);
  layout.refused = {Across({2, 5, 25, 27}, vertical), Across({300, 2, 465, 30}, vertical)};
  const std::vector<std::pair<int32_t, Rect>> items = {
      {0, {45, 5, 68, 27}}, {1, {68, 5, 91, 27}}, {2, {91, 5, 103, 27}}, {4, {103, 5, 126, 27}}};
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
                                     // A hidden button stays before the button it was before.
                                     SlotCase{"SeparatorFarHalf", {100, 10}, 4, 103},
                                     // After the last placed button, past the hidden one too.
                                     SlotCase{"LastButtonFarHalf", {120, 10}, 6, 126},
                                     SlotCase{"EmptyBarBeyond", {250, 2}, 6, 126},
                                     SlotCase{"OverTheSwitchButton", {10, 10}, -1, 0},
                                     SlotCase{"OverTheClockPanel", {350, 10}, -1, 0}),
                     testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Column" : "Row");
    });

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

// Only buttons 0 and 1 fit beside the chevron: past them a drop goes before
// the first item left off (the separator, 2); on the chevron, to the bar's end.
TEST(DropSlot, BesideTheChevronBeforeTheItemsItStandsForAndOnItAtTheEnd) {
  DropLayout layout = FourItems(false);
  layout.items.resize(2);
  layout.firstLeftOff = 2;
  layout.chevron = Rect{150, 5, 164, 27};
  EXPECT_EQ(DropSlotAt(layout, {85, 10}), (DropSlot{2, {90, 5, 92, 27}}));
  EXPECT_EQ(DropSlotAt(layout, {120, 10}), (DropSlot{2, {90, 5, 92, 27}}));
  EXPECT_EQ(DropSlotAt(layout, {155, 10}), (DropSlot{6, {163, 5, 165, 27}}));
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
  std::string Expanded(const std::string& text) override {
    const std::string variable = "%windir%";
    std::string expanded = text;
    for (size_t at; (at = expanded.find(variable)) != std::string::npos;) expanded.replace(at, variable.size(), "C:\\Windows");
    return expanded;
  }
  std::map<std::string, ShortcutFields> links;
};

class TableSystem : public DropSystem {
 public:
  bool IsFolder(const std::string& path) override { return folders.count(path) != 0; }
  std::string FolderDisplayName(const std::string& path) override { return folders.count(path) ? folders[path] : ""; }
  std::optional<std::string> InternetShortcutUrl(const std::string& path) override {
    return urls.count(path) ? urls[path] : "";
  }
  ShortcutReader& Links() override { return links; }

  std::map<std::string, std::string> folders = {{"C:\\Tools", "Tools folder"}, {"D:\\Nameless\\", ""}};
  // nullopt: an address too long to be read whole.
  std::map<std::string, std::optional<std::string>> urls = {{"C:\\Links\\site.url", "https://example.com/a"},
                                                            {"C:\\Links\\huge.url", std::nullopt}};
  TableLinks links;
};

struct ItemCase {
  const char* name;
  DroppedItem item;
  bool made;
  ButtonSpec expected;  // Target, Name, WorkDir, Arguments, IconFile, IconIndex, ShowCmd, Kind
  std::optional<DropRefusal> refusal = std::nullopt;  // for an item refused as it is read
};

class DroppedItemTest : public testing::TestWithParam<ItemCase> {};

TEST_P(DroppedItemTest, GetsTheFieldsTheManagersBrowsingWouldGive) {
  const ItemCase& c = GetParam();
  TableSystem system;
  system.links.links["C:\\Links\\Editor.lnk"] = {"C:\\Apps\\ed.exe", "C:\\Apps", "-n", 3, "C:\\Apps\\icons.dll", 2};
  system.links.links["C:\\Links\\Pad.lnk"] = {"%windir%\\pad.exe", "%windir%", "%1", 1, "%windir%\\pad.exe", 0};
  std::optional<DropRefusal> refusal;
  const std::optional<ButtonSpec> button = ButtonForDroppedItem(c.item, system, refusal);
  EXPECT_EQ(refusal, c.refusal);
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
        // The variables are expanded: the button must not depend on them at its next start.
        ItemCase{"LinkThroughTheEnvironment", Path("C:\\Links\\Pad.lnk"), true,
                 {"C:\\Windows\\pad.exe", "Pad", "C:\\Windows", "%1", "C:\\Windows\\pad.exe", 0, 1, kFile}},
        ItemCase{"UnreadableLink", Path("C:\\Links\\broken.lnk"), false, {}},
        ItemCase{"InternetShortcut", Path("C:\\Links\\site.url"), true,
                 {"https://example.com/a", "example.com/a", "", "", "https://example.com/a", 0, 1, kInternet}},
        ItemCase{"InternetShortcutWithoutAddress", Path("C:\\Links\\empty.url"), false, {}},
        ItemCase{"InternetShortcutTooLongToRead", Path("C:\\Links\\huge.url"), false, {}, DropRefusal::kAddressTooLong},
        ItemCase{"AddressWithoutScheme", Address("www.example.org"), true,
                 {"http://www.example.org", "www.example.org", "", "", "http://www.example.org", 0, 1, kInternet}}),
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

// A field the button cannot hold whole refuses that item, named; the others are made.
TEST_F(DropSaveTest, AnItemWhoseFieldWouldBeCutIsRefusedByName) {
  auto db = Database();
  db->AddBar("bar");
  system_.links.links["C:\\Links\\Long.lnk"] = {"C:\\Apps\\ed.exe", "", std::string(260, 'a'), 1, "", 0};
  const DropResult result = AddDroppedItems(
      *db, 0, 0, {Path("C:\\Links\\Long.lnk"), Path("C:\\Links\\huge.url"), Path("C:\\Tools")}, system_);
  EXPECT_EQ(result.added, 1);
  EXPECT_EQ(result.refused, (std::vector<RefusedItem>{{"C:\\Links\\Long.lnk", DropRefusal::kArgumentsTooLong},
                                                      {"C:\\Links\\huge.url", DropRefusal::kAddressTooLong}}));
  EXPECT_EQ(Names(*db->Bar(0)), V{"Tools folder"});
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

// --- the bytes a source hands over ------------------------------------------

// A DROPFILES block: the 20-byte header, then the names, each ended by a zero,
// and the list ended by one more (left off with `ended` false).
std::string Block(const std::vector<std::u16string>& names, bool wide, uint32_t offset = 20, bool ended = true) {
  std::string bytes(20, '\0');
  for (int b = 0; b < 4; ++b) bytes[static_cast<size_t>(b)] = static_cast<char>(offset >> (8 * b));
  bytes[16] = wide ? 1 : 0;
  auto put = [&](char16_t c) {
    bytes += static_cast<char>(c & 0xFF);
    if (wide) bytes += static_cast<char>(c >> 8);
  };
  for (const std::u16string& name : names) {
    for (char16_t c : name) put(c);
    put(0);
  }
  if (ended) put(0);
  return bytes;
}

struct BlockCase {
  const char* name;
  std::string bytes;
  std::vector<std::u16string> names;  // read back, in the form of the block
  bool cut, tooMany, damaged;
};

class DropFileListTest : public testing::TestWithParam<BlockCase> {};

TEST_P(DropFileListTest, NamesAreReadWithinTheBlock) {
  const BlockCase& c = GetParam();
  // A copy of exactly the block's size, so that ASan sees any read past it.
  std::vector<unsigned char> block(c.bytes.begin(), c.bytes.end());
  const DropFileList list = ReadDropFileList(block.data(), block.size(), 3);
  std::vector<std::u16string> names = list.wideNames;
  for (const std::string& n : list.names) names.emplace_back(n.begin(), n.end());
  EXPECT_EQ(names, c.names);
  EXPECT_EQ(std::tie(list.cut, list.tooMany, list.damaged), std::tie(c.cut, c.tooMany, c.damaged));
}

const std::u16string kGreek = u"C:\\\u03a9mega.txt";

INSTANTIATE_TEST_SUITE_P(
    Blocks, DropFileListTest,
    testing::Values(
        BlockCase{"SingleByte", Block({u"C:\\a.txt", u"C:\\b"}, false), {u"C:\\a.txt", u"C:\\b"}, false, false, false},
        BlockCase{"Wide", Block({kGreek, u"C:\\b"}, true), {kGreek, u"C:\\b"}, false, false, false},
        BlockCase{"NamesFurtherOn", Block({u"C:\\a"}, false, 24).insert(20, "pad!"), {u"C:\\a"}, false, false, false},
        BlockCase{"AsManyAsTheLimit", Block({u"a", u"b", u"c"}, true), {u"a", u"b", u"c"}, false, false, false},
        BlockCase{"MoreThanTheLimit", Block({u"a", u"b", u"c", u"d"}, false), {}, false, true, false},
        BlockCase{"WithoutTheListsEnd", Block({u"C:\\a", u"C:\\b"}, false, 20, false), {u"C:\\a", u"C:\\b"}, true, false, false},
        BlockCase{"LastNameCut", Block({u"C:\\a", u"C:\\bcd"}, true, 20, false).substr(0, 31), {u"C:\\a"}, true, false,
                  false},
        BlockCase{"HalfAWideCharacter", Block({u"ab"}, true, 20, false).substr(0, 25), {}, true, false, false},
        BlockCase{"OffsetPastTheBlock", Block({u"C:\\a"}, false, 4000), {}, false, false, true},
        BlockCase{"OffsetInsideTheHeader", Block({u"C:\\a"}, false, 8), {}, false, false, true},
        BlockCase{"ShorterThanAHeader", std::string(19, '\0'), {}, false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextLimitCase {
  const char* name;
  std::string bytes;  // the whole block
  bool oneAddress;
  std::vector<std::string> taken;
  std::vector<DropRefusal> refused;
};

class DroppedTextLimitTest : public testing::TestWithParam<TextLimitCase> {};

TEST_P(DroppedTextLimitTest, TextIsReadWithinItsLimits) {
  const TextLimitCase& c = GetParam();
  std::vector<char> block(c.bytes.begin(), c.bytes.end());
  const DropPayload payload = PayloadOfText(block.data(), block.size(), c.oneAddress);
  std::vector<std::string> taken;
  for (const DroppedItem& item : payload.items) {
    EXPECT_EQ(item.kind, DroppedItem::Kind::kAddress);
    taken.push_back(item.text);
  }
  std::vector<DropRefusal> refused;
  for (const RefusedItem& item : payload.refused) {
    EXPECT_LE(item.name.size(), kMaxShownNameLength);
    refused.push_back(item.why);
  }
  EXPECT_EQ(taken, c.taken);
  EXPECT_EQ(refused, c.refused);
}

const std::string kLongAddress = "http://a.example/" + std::string(243, 'x');  // 260 characters

INSTANTIATE_TEST_SUITE_P(
    Texts, DroppedTextLimitTest,
    testing::Values(
        TextLimitCase{"EndsAtTheBlockWithoutZero", "www.a.example", false, {"www.a.example"}, {}},
        // Plain text is taken only when every line is one web address.
        TextLimitCase{"LinesWithBlanksAround", "  https://a.example/\r\nwww.b.example\r\n\r\n", false,
                      {"https://a.example/", "www.b.example"}, {}},
        TextLimitCase{"Words", "hello world", false, {}, {}},
        TextLimitCase{"AddressThenWords", "http://a.example/\nnot an address", false, {}, {}},
        TextLimitCase{"StopsAtItsZero", std::string("www.a.example\0www.b", 20), false, {"www.a.example"}, {}},
        TextLimitCase{"ShortcutAddressIsOneAddress", "intranet page", true, {"intranet page"}, {}},
        TextLimitCase{"LongestAddress", kLongAddress.substr(0, 259), false, {kLongAddress.substr(0, 259)}, {}},
        TextLimitCase{"AddressLongerThanAField", kLongAddress + "\nwww.b.example", false, {"www.b.example"},
                      {DropRefusal::kAddressTooLong}},
        TextLimitCase{"ZeroWithinTheLimit", std::string(kMaxDroppedTextBytes - 1, ' ') + '\0' + "x", false, {}, {}},
        TextLimitCase{"NoEndWithinTheLimit", std::string(kMaxDroppedTextBytes + 1, 'w'), true, {},
                      {DropRefusal::kTextTooLong}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ButtonRefusalCase {
  const char* name;
  ButtonSpec button;
  std::optional<DropRefusal> refusal;
};

class DroppedButtonRefusalTest : public testing::TestWithParam<ButtonRefusalCase> {};

TEST_P(DroppedButtonRefusalTest, AFieldIsRefusedRatherThanCutOrWrong) {
  DropRefusal why = DropRefusal::kTooMany;
  const bool refused = RefusalForButton(GetParam().button, why);
  EXPECT_EQ(refused ? std::optional(why) : std::nullopt, GetParam().refusal);
}

ButtonSpec Request(std::string target, std::string args = "", int32_t kind = kFile) {
  ButtonSpec b;
  b.Target = target;
  b.Name = "n";
  b.Arguments = args;
  b.Kind = kind;
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, DroppedButtonRefusalTest,
    testing::Values(ButtonRefusalCase{"Fits", Request(std::string(259, 'p'), std::string(259, 'a')), std::nullopt},
                    ButtonRefusalCase{"LongPathPrefix", Request("\\\\?\\C:\\a.txt"), std::nullopt},
                    ButtonRefusalCase{"QuestionMarkInArguments", Request("C:\\a.exe", "-q ?"), std::nullopt},
                    ButtonRefusalCase{"PathTooLong", Request(std::string(260, 'p')), DropRefusal::kPathTooLong},
                    ButtonRefusalCase{"ArgumentsTooLong", Request("C:\\a.exe", std::string(260, 'a')),
                                      DropRefusal::kArgumentsTooLong},
                    ButtonRefusalCase{"LostCharacter", Request("C:\\?mega.txt"), DropRefusal::kNotInCodePage},
                    ButtonRefusalCase{"AddressTooLong", Request(kLongAddress, "", kInternet),
                                      DropRefusal::kAddressTooLong}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DropRefusals, OneMessageNamesEachItemAndCountsTheUnlisted) {
  MessageTexts texts;
  EXPECT_EQ(RefusedItemsMessage(texts, {}), "");
  std::vector<RefusedItem> refused = {{"C:\\?mega.txt", DropRefusal::kNotInCodePage}};
  for (int i = 0; i < 13; ++i) refused.push_back({"C:\\long" + std::to_string(i), DropRefusal::kPathTooLong});
  const std::string message = RefusedItemsMessage(texts, refused);
  EXPECT_EQ(message.rfind(texts.Text(kMsgDropRefusedHeader), 0), 0u);
  EXPECT_NE(message.find("C:\\?mega.txt: " + texts.Text(DropRefusalText(DropRefusal::kNotInCodePage))),
            std::string::npos);
  EXPECT_NE(message.find("C:\\long10: " + texts.Text(DropRefusalText(DropRefusal::kPathTooLong))), std::string::npos);
  EXPECT_EQ(message.find("C:\\long11"), std::string::npos);
  EXPECT_NE(message.find(texts.Text(kMsgDropRefusedMore) + " 2"), std::string::npos);
  // Every reason has its text.
  for (int why = 0; why <= static_cast<int>(DropRefusal::kAddressTooLong); ++why) {
    EXPECT_NE(texts.Text(DropRefusalText(static_cast<DropRefusal>(why))), "") << why;
  }
}

}  // namespace
