// Which file targets the start-up load leaves unasked, and how the answers of
// the later check land on the buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/cbar.h"
#include "db/cdb.h"
#include "db/database_io.h"
#include "db/db_paths.h"
#include "db/target_check.h"
#include "platform/storage_memory.h"
#include "shared/db/record_bytes.h"
#include "support/file_ops_memory.h"

namespace {

using Drives = std::vector<std::pair<char, DriveKind>>;

const Drives kDrives = {{'A', DriveKind::kRemovable}, {'D', DriveKind::kCdRom}, {'N', DriveKind::kRemote},
                        {'R', DriveKind::kRamDisk},   {'U', DriveKind::kUnknown}, {'X', DriveKind::kNoRoot}};

DriveKind KindOf(const Drives& drives, char letter) {
  for (const auto& [drive, kind] : drives)
    if (drive == letter) return kind;
  return DriveKind::kFixed;
}

// --- where a path lies -------------------------------------------------------

struct PlaceCase {
  const char* path;
  TargetPlace place;
};

const PlaceCase kPlaces[] = {
    {"C:\\Programs\\tool.exe", TargetPlace::kLocal},
    {"c:\\tool.exe", TargetPlace::kLocal},
    {"R:\\temp\\x.exe", TargetPlace::kLocal},
    {"X:\\x.exe", TargetPlace::kNetwork},  // no drive yet: it may be mapped to a share
    {"U:\\x.exe", TargetPlace::kNetwork},
    {"A:\\setup.exe", TargetPlace::kRemovable},
    {"a:setup.exe", TargetPlace::kRemovable},  // drive-relative, still on A:
    {"D:\\autorun.exe", TargetPlace::kRemovable},
    {"N:\\tools\\t.exe", TargetPlace::kNetwork},
    {"\\\\server\\share\\t.exe", TargetPlace::kNetwork},
    {"//server/share/t.exe", TargetPlace::kNetwork},
    {"\\\\?\\UNC\\server\\share\\t.exe", TargetPlace::kNetwork},
    {"\\\\?\\Volume{1234}\\t.exe", TargetPlace::kNetwork},
    {"\\\\?\\C:\\long\\t.exe", TargetPlace::kLocal},
    {"\\\\?\\A:\\t.exe", TargetPlace::kRemovable},
    {"\\\\.\\N:\\t.exe", TargetPlace::kNetwork},
    {"tools\\t.exe", TargetPlace::kLocal},
    {"\\tools\\t.exe", TargetPlace::kLocal},
    {"", TargetPlace::kLocal},
};

TEST(PlaceOfPathTest, ByNameAndDriveKind) {
  for (const PlaceCase& c : kPlaces) {
    EXPECT_EQ(PlaceOfPath(c.path, [](char letter) { return KindOf(kDrives, letter); }), c.place) << c.path;
    EXPECT_EQ(IsSlowPath(c.path, [](char letter) { return KindOf(kDrives, letter); }), c.place != TargetPlace::kLocal)
        << c.path;
  }
}

// A letter's kind is kept for a moment only: a share mapped later in the run
// (or a drive that goes and whose letter is mapped anew) is seen as it is now.
TEST(DriveKindsTest, AreAskedAgainAfterAMomentAndAtADeviceChange) {
  MemoryFileSystem files;
  uint64_t now = 0;
  DriveKinds kinds([&now] { return now; });
  const std::vector<std::pair<uint64_t, DriveKind>> steps = {
      {0, DriveKind::kFixed}, {DriveKinds::kKeptMs - 1, DriveKind::kFixed}, {1, DriveKind::kRemote}};
  files.SetDriveKind('M', DriveKind::kFixed);
  for (const auto& [later, seen] : steps) {
    now += later;
    EXPECT_EQ(kinds.Of('m', files), seen) << now;
    files.SetDriveKind('M', DriveKind::kRemote);
  }
  files.SetDriveKind('M', DriveKind::kNoRoot);
  kinds.Forget();
  EXPECT_EQ(kinds.Of('M', files), DriveKind::kNoRoot);
}

// --- the load ------------------------------------------------------------------

struct Button {
  std::string name;
  int32_t kind;
  std::string target;
  int32_t available = 1;
};

// One bar with the given buttons in a database file in memory.
class BarFile {
 public:
  BarFile(const Drives& drives, const std::vector<std::string>& present, const std::vector<Button>& buttons) {
    for (const auto& [letter, kind] : drives) files_.SetDriveKind(letter, kind);
    for (const std::string& path : present) files_.Put(path, "MZ");
    auto file = storage_.Create(kPath);
    {
      auto bar = file->Root().CreateStorage("0");
      PutStream(*bar, "__quickrail_info__", BarBytes("bar"));
      for (size_t i = 0; i < buttons.size(); ++i)
        PutStream(*bar, std::to_string(i),
                  ButtonBytes(buttons[i].name, buttons[i].kind, buttons[i].target, buttons[i].available));
    }
    file->Finish();
  }

  std::unique_ptr<CBar> Load(const std::string& folder, DeferredTargets* deferral) {
    auto root = storage_.Open(kPath);
    std::unique_ptr<Storage> storage;
    if (!root || root->OpenStorage("0", storage) != StorageResult::kOk) return nullptr;
    auto bar = std::make_unique<CBar>();
    DatabaseIo io{folder, files_, nullptr};
    io.SlowTargets = deferral;
    return bar->Load(*storage, io) ? std::move(bar) : nullptr;
  }

  MemoryFileSystem& Files() { return files_; }

 private:
  static constexpr const char* kPath = "C:\\db\\lbars.acc";
  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
};

std::vector<int32_t> AvailableOf(const CBar& bar) {
  std::vector<int32_t> flags;
  for (int32_t i = 0; i < bar.Count(); ++i) flags.push_back(bar.At(i)->Available);
  return flags;
}

struct LoadCase {
  const char* name;
  std::string folder;
  std::vector<std::string> present;
  std::vector<Button> buttons;
  std::vector<int32_t> availableAfterLoad;
  std::vector<std::string> deferredPaths;
};

const std::vector<LoadCase>& LoadCases() {
  static const std::vector<LoadCase> cases = {
      {"SlowTargetsKeepTheirFlagLocalOnesAreAsked",
       "C:\\Orvantis",
       {"C:\\Orvantis\\app.exe", "A:\\tool.exe"},
       {{"local", 0, "C:\\Orvantis\\app.exe"},
        {"local missing", 0, "C:\\gone.exe"},
        {"relative", 0, "app.exe"},
        {"floppy", 0, "A:\\tool.exe"},
        {"floppy again", 0, "a:\\tool.exe"},
        {"cd", 0, "D:\\setup.exe"},
        {"mapped", 0, "N:\\x.exe"},
        {"unc", 0, "\\\\srv\\share\\y.exe"},
        {"hidden on floppy", 0, "A:\\z.exe", 0},
        {"folder on share", 1, "N:\\folder"},
        {"web", 2, "http://example.com/"}},
       {1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1},
       {"A:\\tool.exe", "a:\\tool.exe", "D:\\setup.exe", "N:\\x.exe", "\\\\srv\\share\\y.exe"}},
      {"RelativeTargetsFollowAProgramFolderOnAShare",
       "\\\\srv\\apps\\Orvantis",
       {"C:\\Windows\\notepad.exe"},
       {{"beside", 0, "tool.exe"}, {"root", 0, "\\bin\\x.exe"}, {"fixed", 0, "C:\\Windows\\notepad.exe"}},
       {1, 0, 1},
       {"\\\\srv\\apps\\Orvantis\\tool.exe"}},
      {"RelativeTargetsFollowAMappedProgramFolder",
       "N:\\Orvantis",
       {},
       {{"beside", 0, "tool.exe"}, {"root", 0, "\\bin\\x.exe"}, {"other drive", 0, "C:\\x.exe"}},
       {1, 1, 0},
       {"N:\\Orvantis\\tool.exe", "N:\\bin\\x.exe"}},
  };
  return cases;
}

class DeferringLoadTest : public testing::TestWithParam<LoadCase> {};

TEST_P(DeferringLoadTest, LeavesSlowTargetsForTheCheck) {
  const LoadCase& c = GetParam();
  BarFile file(kDrives, c.present, c.buttons);
  DeferredTargets list;
  list.DeferOnNextLoad();
  auto deferred = file.Load(c.folder, list.BeginLoad());
  ASSERT_TRUE(deferred);
  // The flag in memory is what a save writes: a target not yet checked keeps
  // the stored one.
  EXPECT_EQ(AvailableOf(*deferred), c.availableAfterLoad);
  std::vector<std::string> unique;
  for (const std::string& path : c.deferredPaths)
    if (std::find(unique.begin(), unique.end(), path) == unique.end()) unique.push_back(path);
  EXPECT_EQ(list.Paths(), unique);
  for (const std::string& path : c.deferredPaths) EXPECT_EQ(file.Files().ExistsQuestions(path), 0) << path;
  for (const auto& [letter, kind] : kDrives) EXPECT_LE(file.Files().DriveQuestions(letter), 1) << letter;

  // The check's answers bring the bar to what a load that asked about every
  // target gives.
  TargetAnswers answers{list.Generation(), {}};
  for (const std::string& path : list.Paths())
    if (!file.Files().Exists(path)) answers.Missing.push_back(path);
  list.Apply(c.folder, {deferred.get()}, answers);
  auto asked = file.Load(c.folder, nullptr);
  ASSERT_TRUE(asked);
  EXPECT_EQ(AvailableOf(*deferred), AvailableOf(*asked));
}

INSTANTIATE_TEST_SUITE_P(Bars, DeferringLoadTest, testing::ValuesIn(LoadCases()),
                         [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

// With only local targets a deferring load gives the bar the plain load gives.
TEST(DeferringLoadTest, LocalTargetsLoadAsBefore) {
  const std::vector<Button> buttons = {
      {"present", 0, "C:\\Orvantis\\app.exe"},  {"missing", 0, "C:\\Orvantis\\gone.exe"},
      {"relative", 0, "app.exe"},                {"root relative", 0, "\\Orvantis\\app.exe"},
      {"drive relative", 0, "C:app.exe"},        {"ram disk", 0, "R:\\x.exe"},
      {"empty", 0, ""},                          {"hidden", 0, "C:\\Orvantis\\app.exe", 0},
      {"folder", 1, "C:\\nowhere"},              {"web", 2, "http://example.com/"},
      {"odd flag", 0, "C:\\Orvantis\\app.exe", 7}};
  BarFile file(kDrives, {"C:\\Orvantis\\app.exe"}, buttons);
  DeferredTargets list;
  list.DeferOnNextLoad();
  auto deferred = file.Load("C:\\Orvantis", list.BeginLoad());
  auto plain = file.Load("C:\\Orvantis", nullptr);
  ASSERT_TRUE(deferred && plain);
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(AvailableOf(*deferred), (std::vector<int32_t>{1, 0, 1, 1, 0, 0, 0, 0, 1, 1, 7}));
  EXPECT_EQ(AvailableOf(*deferred), AvailableOf(*plain));
}

TEST(DeferredTargetsTest, OnlyTheNextLoadDefers) {
  DeferredTargets list;
  EXPECT_EQ(list.BeginLoad(), nullptr);
  list.DeferOnNextLoad();
  const uint32_t before = list.Generation();
  EXPECT_EQ(list.BeginLoad(), &list);
  EXPECT_NE(list.Generation(), before);
  EXPECT_EQ(list.BeginLoad(), nullptr);
}

// --- applying the answers ----------------------------------------------------

// Two bars of buttons named by their targets; the file buttons on N: are
// listed as a start-up load would list them.
class Answered {
 public:
  Answered() {
    files_.SetDriveKind('N', DriveKind::kRemote);
    db_.SetProgramFolder("N:\\Orvantis");
    db_.AddBar("first");
    db_.AddBar("second");
    Add(0, kFile, "N:\\gone.exe");
    Add(0, kFile, "N:\\here.exe");
    Add(0, kFile, "tool.exe");  // N:\Orvantis\tool.exe
    Add(0, kFolder, "N:\\gone.exe");
    Add(1, kFile, "N:\\gone.exe");
    Add(1, kFile, "C:\\local.exe");
    list_.DeferOnNextLoad();
    DeferredTargets* deferral = list_.BeginLoad();
    for (int32_t b = 0; b < db_.BarCount(); ++b)
      for (int32_t i = 0; i < db_.Bar(b)->Count(); ++i) {
        const CD& button = *db_.Bar(b)->At(i);
        if (button.Kind == kFile)
          deferral->Defer(button, ResolveAgainstFolder(db_.ProgramFolder(), button.Target), files_);
      }
  }

  CDB& Db() { return db_; }
  DeferredTargets& List() { return list_; }
  TargetAnswers Missing(std::vector<std::string> paths) const { return {list_.Generation(), std::move(paths)}; }

  // "bar/position:flag" for every button, in order.
  std::vector<std::string> Flags() const {
    std::vector<std::string> flags;
    for (int32_t b = 0; b < db_.BarCount(); ++b)
      for (int32_t i = 0; i < db_.Bar(b)->Count(); ++i)
        flags.push_back(db_.Bar(b)->At(i)->Target + ":" + std::to_string(db_.Bar(b)->At(i)->Available));
    return flags;
  }

 private:
  void Add(int32_t bar, int32_t kind, const std::string& target) {
    ButtonSpec request;
    request.Bar = bar;
    request.Position = -1;
    request.Name = target;
    request.Target = target;
    request.Kind = kind;
    db_.AddButton(std::move(request));
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
  CDB db_{storage_, files_, nullptr};
  DeferredTargets list_;
};

struct ApplyCase {
  const char* name;
  std::function<void(CDB&)> meanwhile;
  std::vector<std::string> missing;
  bool hidden;
  std::vector<std::string> flags;
};

const std::vector<ApplyCase>& ApplyCases() {
  static const std::vector<ApplyCase> cases = {
      {"MissingTargetsHideTheirFileButtons",
       [](CDB&) {},
       {"N:\\gone.exe", "N:\\Orvantis\\tool.exe"},
       true,
       {"N:\\gone.exe:0", "N:\\here.exe:1", "tool.exe:0", "N:\\gone.exe:1", "N:\\gone.exe:0", "C:\\local.exe:1"}},
      {"UnlistedOrNoMissingPathsChangeNothing",
       [](CDB&) {},
       {"C:\\local.exe", "N:\\other.exe"},
       false,
       {"N:\\gone.exe:1", "N:\\here.exe:1", "tool.exe:1", "N:\\gone.exe:1", "N:\\gone.exe:1", "C:\\local.exe:1"}},
      {"DeletedButtonsAreLeftAlone",
       [](CDB& db) { db.Bar(0)->Remove(0); },
       {"N:\\gone.exe"},
       true,
       {"N:\\here.exe:1", "tool.exe:1", "N:\\gone.exe:1", "N:\\gone.exe:0", "C:\\local.exe:1"}},
      {"ADeletedBarTakesItsButtonsAlong",
       [](CDB& db) { db.DeleteBar(1); },
       {"N:\\gone.exe"},
       true,
       {"N:\\gone.exe:0", "N:\\here.exe:1", "tool.exe:1", "N:\\gone.exe:1"}},
      {"MovedButtonsAreFoundWhereTheyAre",
       [](CDB& db) {
         db.SwapBars(0, 1);
         db.Bar(1)->Swap(0, 2);
       },
       {"N:\\gone.exe"},
       true,
       {"N:\\gone.exe:0", "C:\\local.exe:1", "tool.exe:1", "N:\\here.exe:1", "N:\\gone.exe:0", "N:\\gone.exe:1"}},
      {"AnEditedTargetIsLeftAlone",
       [](CDB& db) { db.Bar(0)->At(0)->Target = "N:\\new.exe"; },
       {"N:\\gone.exe"},
       true,
       {"N:\\new.exe:1", "N:\\here.exe:1", "tool.exe:1", "N:\\gone.exe:1", "N:\\gone.exe:0", "C:\\local.exe:1"}},
      {"AButtonMadeAFolderIsLeftAlone",
       [](CDB& db) {
         db.Bar(0)->At(0)->Kind = kFolder;
         db.Bar(1)->At(0)->Available = 0;
       },
       {"N:\\gone.exe"},
       false,
       {"N:\\gone.exe:1", "N:\\here.exe:1", "tool.exe:1", "N:\\gone.exe:1", "N:\\gone.exe:0", "C:\\local.exe:1"}},
  };
  return cases;
}

class ApplyAnswersTest : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyAnswersTest, HidesOnlyUnchangedListedButtons) {
  const ApplyCase& c = GetParam();
  Answered scene;
  c.meanwhile(scene.Db());
  EXPECT_EQ(scene.List().Apply(scene.Db(), scene.Missing(c.missing)), c.hidden);
  EXPECT_EQ(scene.Flags(), c.flags);
}

INSTANTIATE_TEST_SUITE_P(Answers, ApplyAnswersTest, testing::ValuesIn(ApplyCases()),
                         [](const testing::TestParamInfo<ApplyCase>& info) { return info.param.name; });

TEST(ApplyAnswersTest, AnswersAboutAnEarlierLoadAreDropped) {
  Answered scene;
  const TargetAnswers stale = scene.Missing({"N:\\gone.exe"});
  scene.List().BeginLoad();  // the database was loaded again meanwhile
  EXPECT_FALSE(scene.List().Apply(scene.Db(), stale));
  for (const std::string& flag : scene.Flags()) EXPECT_EQ(flag.back(), '1') << flag;
}

TEST(ApplyAnswersTest, TheListIsUsedOnce) {
  Answered scene;
  const TargetAnswers answers = scene.Missing({"N:\\gone.exe"});
  EXPECT_TRUE(scene.List().Apply(scene.Db(), answers));
  EXPECT_TRUE(scene.List().Empty());
  // The user shows the button again; the same answers do not hide it twice.
  scene.Db().Bar(0)->At(0)->Available = 1;
  EXPECT_FALSE(scene.List().Apply(scene.Db(), answers));
  EXPECT_EQ(scene.Db().Bar(0)->At(0)->Available, 1);
}

// --- a volume arrives ---------------------------------------------------------

// A database loaded while the stick for E: was out: every target asked, the
// missing ones hidden by the load.
class Arrival {
 public:
  Arrival() {
    files_.SetDriveKind('E', DriveKind::kRemovable);
    files_.Put("E:\\here.exe", "MZ");
    {
      CDB db{storage_, files_, nullptr};
      db.SetProgramFolder("E:\\Orvantis");
      db.AddBar("bar");
      Add(db, kFile, "E:\\tool.exe");
      Add(db, kFile, "tool2.exe");  // E:\Orvantis\tool2.exe
      Add(db, kFile, "E:\\user.exe", 0);
      Add(db, kFile, "F:\\other.exe");
      Add(db, kFile, "E:\\here.exe");
      Add(db, kFolder, "E:\\dir");
      Add(db, kFile, "\\\\srv\\x.exe");
      Add(db, kFile, "\\\\?\\e:\\long.exe");
      EXPECT_NE(db.Save(), 0);
    }
    db_.SetProgramFolder("E:\\Orvantis");
    EXPECT_EQ(db_.Load(), 1);
  }

  CDB& Db() { return db_; }
  std::vector<int32_t> Flags() const { return AvailableOf(*db_.Bar(0)); }

 private:
  static void Add(CDB& db, int32_t kind, const std::string& target, int32_t available = 1) {
    ButtonSpec request;
    request.Bar = 0;
    request.Position = -1;
    request.Name = request.Target = target;
    request.Kind = kind;
    request.Available = available;
    db.AddButton(std::move(request));
  }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_{files_};
  CDB db_{storage_, files_, nullptr};
};

struct ArrivalCase {
  const char* name;
  uint32_t unitMask;
  std::vector<std::string> present;  // after the arrival
  std::vector<std::string> listed;
  bool changed;
  std::vector<int32_t> flags;
};

constexpr uint32_t DriveBit(char letter) { return 1u << (letter - 'A'); }

const ArrivalCase kArrivals[] = {
    {"TargetsBackShowTheirButtons",
     DriveBit('E'),
     {"E:\\tool.exe", "E:\\Orvantis\\tool2.exe", "E:\\user.exe", "E:\\here.exe", "\\\\?\\e:\\long.exe"},
     {"E:\\tool.exe", "E:\\Orvantis\\tool2.exe", "E:\\here.exe", "\\\\?\\e:\\long.exe"},
     true,
     {1, 1, 0, 0, 1, 1, 0, 1}},
    {"TargetsStillMissingStayHidden",
     DriveBit('E'),
     {"E:\\here.exe", "F:\\other.exe"},
     {"E:\\tool.exe", "E:\\Orvantis\\tool2.exe", "E:\\here.exe", "\\\\?\\e:\\long.exe"},
     false,
     {0, 0, 0, 0, 1, 1, 0, 0}},
    {"AShownTargetNowGoneIsHidden",
     DriveBit('E'),
     {"E:\\tool.exe"},
     {"E:\\tool.exe", "E:\\Orvantis\\tool2.exe", "E:\\here.exe", "\\\\?\\e:\\long.exe"},
     true,
     {1, 0, 0, 0, 0, 1, 0, 0}},
    {"OnlyTheArrivedLettersAreAsked",
     DriveBit('F') | DriveBit('G'),
     {"E:\\tool.exe", "F:\\other.exe"},
     {"F:\\other.exe"},
     true,
     {0, 0, 0, 1, 1, 1, 0, 0}},
    {"ALetterWithoutTargetsAsksNothing", DriveBit('G') | DriveBit('A'), {}, {}, false, {0, 0, 0, 0, 1, 1, 0, 0}},
};

class DriveArrivalTest : public testing::TestWithParam<ArrivalCase> {};

TEST_P(DriveArrivalTest, ChecksTheTargetsOnTheArrivedDrives) {
  const ArrivalCase& c = GetParam();
  Arrival scene;
  ASSERT_EQ(scene.Flags(), (std::vector<int32_t>{0, 0, 0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(scene.Db().ListTargetsOnDrives(c.unitMask), !c.listed.empty());
  const DeferredTargets& list = scene.Db().SlowTargets();
  EXPECT_EQ(list.Paths(), c.listed);
  TargetAnswers answers{list.Generation(), {}};
  for (const std::string& path : list.Paths())
    if (std::find(c.present.begin(), c.present.end(), path) == c.present.end()) answers.Missing.push_back(path);
  EXPECT_EQ(scene.Db().ApplyTargetAnswers(answers), c.changed);
  EXPECT_EQ(scene.Flags(), c.flags);
  EXPECT_TRUE(list.Empty());
}

INSTANTIATE_TEST_SUITE_P(Arrivals, DriveArrivalTest, testing::ValuesIn(kArrivals),
                         [](const testing::TestParamInfo<ArrivalCase>& info) { return info.param.name; });

// A button the user hid after the load, or shown again and hidden since, is
// the user's: the target coming back does not show it.
TEST(DriveArrivalTest, AButtonHiddenByTheUserStaysHidden) {
  Arrival scene;
  CD& tool = *scene.Db().Bar(0)->At(0);  // hidden by the load, shown and hidden again
  CD& here = *scene.Db().Bar(0)->At(4);
  here.Available = 0;  // the user's choice carries no missing-target mark
  tool.Available = 0;
  tool.TargetMissing = 0;
  scene.Db().ListTargetsOnDrives(DriveBit('E'));
  const DeferredTargets& list = scene.Db().SlowTargets();
  EXPECT_TRUE(scene.Db().ApplyTargetAnswers({list.Generation(), {}}));
  EXPECT_EQ(scene.Flags(), (std::vector<int32_t>{0, 1, 0, 0, 0, 1, 0, 1}));
}

// A volume arriving while the start-up check runs keeps that check's list,
// and the answers of the run begun before are dropped.
TEST(DriveArrivalTest, TheStartupListIsKept) {
  Answered scene;
  const TargetAnswers early = scene.Missing({"N:\\gone.exe"});
  scene.Db().Bar(0)->At(1)->Target = "E:\\stick.exe";
  EXPECT_TRUE(scene.List().ListDrives(scene.Db(), DriveBit('E')));
  // The button moved to the stick is asked about under its new target.
  EXPECT_EQ(scene.List().Paths(), (std::vector<std::string>{"N:\\gone.exe", "E:\\stick.exe", "N:\\Orvantis\\tool.exe"}));
  EXPECT_FALSE(scene.List().Apply(scene.Db(), early));
  EXPECT_TRUE(scene.List().Apply(scene.Db(), scene.Missing({"N:\\gone.exe", "E:\\stick.exe"})));
  EXPECT_EQ(scene.Flags(), (std::vector<std::string>{"N:\\gone.exe:0", "E:\\stick.exe:0", "tool.exe:1",
                                                     "N:\\gone.exe:1", "N:\\gone.exe:0", "C:\\local.exe:1"}));
}

}  // namespace

// The whole path through the database: the start-up load leaves the share's
// target unasked, the answer hides the button, and a save then keeps it hidden
// for the next load (which asks about nothing it already knows is hidden).
TEST(DeferringLoadTest, TheDatabaseLoadListsAndTheAnswerHides) {
  MemoryFileSystem files;
  files.SetDriveKind('N', DriveKind::kRemote);
  MemoryStorageBackend storage{files};
  {
    CDB db{storage, files, nullptr};
    db.SetProgramFolder("C:\\Orvantis");
    db.AddBar("bar");
    ButtonSpec request;
    request.Bar = 0;
    request.Position = -1;
    request.Name = request.Target = "N:\\gone.exe";
    request.Kind = kFile;
    db.AddButton(std::move(request));
    ASSERT_NE(db.Save(), 0);
  }
  CDB db{storage, files, nullptr};
  db.SetProgramFolder("C:\\Orvantis");
  db.DeferSlowTargetsOnNextLoad();
  ASSERT_EQ(db.Load(), 1);
  EXPECT_EQ(db.Bar(0)->At(0)->Available, 1);
  EXPECT_EQ(db.SlowTargets().Paths(), std::vector<std::string>{"N:\\gone.exe"});
  EXPECT_EQ(files.ExistsQuestions("N:\\gone.exe"), 0);

  EXPECT_TRUE(db.ApplyTargetAnswers({db.SlowTargets().Generation(), {"N:\\gone.exe"}}));
  EXPECT_EQ(db.Bar(0)->At(0)->Available, 0);
  ASSERT_NE(db.Save(), 0);
  ASSERT_EQ(db.Load(), 1);
  EXPECT_EQ(db.Bar(0)->At(0)->Available, 0);
  EXPECT_TRUE(db.SlowTargets().Empty());
}
