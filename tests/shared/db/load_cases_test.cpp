// Database files built element by element, then loaded: one table of cases
// that runs on the in-memory storage on the host and on ole32 under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shared/db/record_bytes.h"
#include "shared/db/test_backend.h"

namespace {

struct LoadCase {
  const char* name;
  std::function<void(Storage& root, TestBackend& backend)> build;
  std::function<void(CDB& db, TestBackend& backend, const std::vector<std::string>& reports)> check;
};

void PutBar(Storage& root, const std::string& element, const std::string& record,
            const std::vector<std::pair<std::string, std::string>>& buttons = {}) {
  auto bar = root.CreateStorage(element);
  ASSERT_TRUE(bar);
  PutStream(*bar, "__quickrail_info__", record);
  for (const auto& [name, bytes] : buttons) PutStream(*bar, name, bytes);
}

std::vector<std::string> BarNames(CDB& db) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < db.BarCount(); ++i) names.push_back(db.Bar(i)->Name);
  return names;
}

std::vector<std::string> ButtonNames(const CBar& bar) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < bar.Count(); ++i) names.push_back(bar.At(i)->Name);
  return names;
}

const LoadCase kCases[] = {
    {"TwelveBarsComeInNumericOrder",
     [](Storage& root, TestBackend&) {
       PutStream(root, "__database_info__", Int(-1));
       for (int n : {5, 11, 0, 10, 1, 2, 9, 3, 8, 4, 7, 6})
         PutBar(root, std::to_string(n), BarBytes("bar" + std::to_string(n)), {{"0", ButtonBytes("b")}});
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 12);
       for (int32_t i = 0; i < 12; ++i) {
         EXPECT_EQ(db.Bar(i)->Name, "bar" + std::to_string(i));
         EXPECT_EQ(db.Bar(i)->At(0)->CommandId, 1124 + 64 * i);
       }
     }},
    {"NamesThatAreNoNumberComeLast",
     [](Storage& root, TestBackend&) {
       PutBar(root, "extra", BarBytes("extra"));
       PutBar(root, "1", BarBytes("one"));
       PutBar(root, "0", BarBytes("zero"));
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) {
       EXPECT_EQ(BarNames(db), (std::vector<std::string>{"zero", "one", "extra"}));
     }},
    {"ButtonsComeInNumericOrderWithOtherNamesLast",
     [](Storage& root, TestBackend&) {
       PutBar(root, "2", BarBytes("bar"),
              {{"misc", ButtonBytes("misc")}, {"10", ButtonBytes("ten")}, {"2", ButtonBytes("two")},
               {"0", ButtonBytes("zero")}});
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 1);
       const CBar& bar = *db.Bar(0);
       EXPECT_EQ(ButtonNames(bar), (std::vector<std::string>{"zero", "two", "ten", "misc"}));
       for (int32_t i = 0; i < bar.Count(); ++i) EXPECT_EQ(bar.At(i)->CommandId, 1124 + i);
     }},
    {"BarWithOnlyItsRecordHasNoButtons",
     [](Storage& root, TestBackend&) { PutBar(root, "0", BarBytes("empty")); },
     [](CDB& db, TestBackend&, const std::vector<std::string>& reports) {
       ASSERT_EQ(db.BarCount(), 1);
       EXPECT_EQ(db.Bar(0)->Count(), 0);
       EXPECT_TRUE(reports.empty());
     }},
    {"MissingDatabaseRecordMeansNoHomeBar",
     [](Storage& root, TestBackend&) {
       PutBar(root, "0", BarBytes("a"));
       PutBar(root, "1", BarBytes("b"));
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>& reports) {
       EXPECT_EQ(db.BarCount(), 2);
       EXPECT_EQ(db.GetHomeBar(), -1);
       EXPECT_TRUE(reports.empty());
     }},
    {"HomeBarStaysWithItsBarWhenAnEarlierOneIsDropped",
     [](Storage& root, TestBackend&) {
       PutStream(root, "__database_info__", Int(2));
       PutBar(root, "0", BarBytes("a"));
       auto noRecord = root.CreateStorage("1");  // no "__quickrail_info__": dropped
       PutStream(*noRecord, "0", ButtonBytes("x"));
       noRecord.reset();
       PutBar(root, "2", BarBytes("home"));
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>& reports) {
       EXPECT_EQ(BarNames(db), (std::vector<std::string>{"a", "home"}));
       EXPECT_EQ(db.GetHomeBar(), 1);
       EXPECT_TRUE(reports.empty());
     }},
    {"HomeBarNamingNoBarIsCleared",
     [](Storage& root, TestBackend&) {
       PutStream(root, "__database_info__", Int(7));
       PutBar(root, "0", BarBytes("a"));
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) { EXPECT_EQ(db.GetHomeBar(), -1); }},
    {"TextIsCutAtAZeroByte",
     [](Storage& root, TestBackend&) {
       PutBar(root, "0", BarBytes(std::string("Tools\0junk", 10)),
              {{"0", ButtonBytes(std::string("Na\0me", 5), 1, std::string("C:\\\0x", 5))}});
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 1);
       EXPECT_EQ(db.Bar(0)->Name, "Tools");
       EXPECT_EQ(db.Bar(0)->At(0)->Name, "Na");
       EXPECT_EQ(db.Bar(0)->At(0)->Target, "C:\\");
     }},
    {"EmptyIconPathGivesTheProgramAndNoIndexField",
     [](Storage& root, TestBackend&) {
       // After the zero length comes Available directly.
       PutBar(root, "0", Text("bar") + Int(1) + Int(1) + Int(5000) + Int(0) + Int(0));
     },
     [](CDB& db, TestBackend& backend, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 1);
       const CBar& bar = *db.Bar(0);
       EXPECT_EQ(bar.IconFile, backend.PathOf("Orvantis.exe"));
       EXPECT_EQ(bar.IconIndex, 0);
       EXPECT_EQ(bar.Available, 0);
       EXPECT_EQ(bar.ShowAfter, 5000);
     }},
    {"ShortRecordsKeepTheirDefaults",
     [](Storage& root, TestBackend&) {
       PutBar(root, "0", Text("bar"), {{"0", Text("n") + Text("C:\\")}});
     },
     [](CDB& db, TestBackend& backend, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 1);
       const CBar& bar = *db.Bar(0);
       EXPECT_EQ(bar.ShowOnLaunch, 0);
       EXPECT_EQ(bar.ShowAfter, 0);
       EXPECT_EQ(bar.IconFile, backend.PathOf("Orvantis.exe"));
       EXPECT_EQ(bar.Available, 1);
       ASSERT_EQ(bar.Count(), 1);
       const CD& button = *bar.At(0);
       EXPECT_EQ(button.Target, "C:\\");
       EXPECT_EQ(button.ShowCmd, 1);
       EXPECT_EQ(button.Kind, -1);
       EXPECT_EQ(button.Available, 1);
     }},
    {"DamagedLengthsRefuseTheButtonOrTheBar",
     [](Storage& root, TestBackend&) {
       const std::string good = ButtonBytes("good");
       PutBar(root, "0", BarBytes("kept"),
              {{"0", Int(-5) + good.substr(4)},
               {"1", Int(0x7FFFFFF0) + good.substr(4)},
               {"2", good},
               {"3", Text("x") + Int(1000) + "abc"}});
       PutBar(root, "1", Int(1 << 30) + "x");
       PutBar(root, "2", Text("icon overrun") + Int(0) + Int(0) + Int(0) + Int(-1));
       PutBar(root, "3", BarBytes("last"));
     },
     [](CDB& db, TestBackend& backend, const std::vector<std::string>& reports) {
       EXPECT_EQ(BarNames(db), (std::vector<std::string>{"kept", "last"}));
       EXPECT_EQ(ButtonNames(*db.Bar(0)), (std::vector<std::string>{"good"}));
       EXPECT_TRUE(reports.empty());
       // The damaged file is copied aside before it is overwritten.
       const std::string before = backend.Contents("lbars.acc");
       EXPECT_EQ(db.Save(), 1);
       EXPECT_EQ(backend.Contents("lbars_unreadable.acc"), before);
     }},
    {"FileButtonsWhoseTargetIsMissingAreHidden",
     [](Storage& root, TestBackend& backend) {
       backend.Put("present.exe", "MZ");
       const std::string folder = backend.MakeFolder("folder");
       PutBar(root, "0", BarBytes("bar"),
              {{"0", ButtonBytes("absolute", 0, backend.PathOf("present.exe"))},
               {"1", ButtonBytes("relative", 0, "present.exe")},
               {"2", ButtonBytes("missing", 0, backend.PathOf("absent.exe"))},
               {"3", ButtonBytes("missing folder", 1, backend.PathOf("no such folder"))},
               {"4", ButtonBytes("web", 2, "http://example.com/")},
               {"5", ButtonBytes("folder", 1, folder)},
               {"6", ButtonBytes("empty", 0, "")}});
     },
     [](CDB& db, TestBackend&, const std::vector<std::string>&) {
       ASSERT_EQ(db.BarCount(), 1);
       std::vector<int32_t> available;
       for (int32_t i = 0; i < db.Bar(0)->Count(); ++i) available.push_back(db.Bar(0)->At(i)->Available);
       EXPECT_EQ(available, (std::vector<int32_t>{1, 1, 0, 1, 1, 1, 0}));
     }},
};

class LoadCaseTest : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadCaseTest, Loads) {
  auto backend = MakeTestBackend();
  ASSERT_TRUE(backend->WriteTree("lbars.acc", [&](Storage& root) { GetParam().build(root, *backend); }));
  std::vector<std::string> reports;
  auto db = backend->MakeDatabase(&reports);
  ASSERT_EQ(db->Load(), 1);
  GetParam().check(*db, *backend, reports);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadCaseTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

}  // namespace
