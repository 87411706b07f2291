#include "editing/browse/places_bar.h"

#include <gtest/gtest.h>

#include <map>

#include "support/memory_registry.h"

using namespace places;
using Values = std::map<std::string, RegistryValue>;

namespace {

const std::string kProgramKey = "SOFTWARE\\Orvantis Software";
const RegistryValue kText{regtype::kString, std::string("C:\\Projects\0", 12)};
// Paths outside any single-byte code page, as the wide calls keep them.
const RegistryValue kWideText = WideText(regtype::kString, u"D:\\\u041f\u0440\u043e\u0435\u043a\u0442\u044b");
const RegistryValue kWideExpand = WideText(regtype::kExpandString, u"%USERPROFILE%\\\u6587\u4ef6");

// Stands for the named hold: one flag shared by every run's holder.
struct FlagHold : PlacesHold {
  explicit FlagHold(bool& busy) : busy(busy) {}
  bool Take() override {
    if (busy && !mine) return false;
    return busy = mine = true;
  }
  void Release() override {
    if (mine) busy = mine = false;
  }
  bool& busy;
  bool mine = false;
};

Values ManagerPlaces() {
  Values values;
  for (int i = 0; i < kPlaceCount; ++i) values["place" + std::to_string(i)] = DwordValue(kManagerPlaces[i]);
  return values;
}

class PlacesBarTest : public testing::Test {
 protected:
  PlacesBarTest() { Reset(); }
  void Reset() {
    registry = MemoryRegistry();
    registry.AddKey(kPoliciesKey);
    registry.AddKey(kProgramKey);
  }
  void PutUserPlaces(const Values& values) {
    registry.AddKey(kPlacesBarKey);
    for (int i = 0; i < kPlaceCount; ++i) registry.DeleteValue(kPlacesBarKey, PlaceValueName(i));
    for (const auto& [name, value] : values) registry.Put(kPlacesBarKey, name, value);
  }
  MemoryRegistry registry;
  bool held = false;
  FlagHold hold{held}, otherRun{held};
  PlacesBarPolicy policy{registry, hold, kProgramKey};
};

}  // namespace

TEST_F(PlacesBarTest, TheUsersValuesComeBackRenumberedWithTheirTypes) {
  const std::pair<Values, Values> cases[] = {
      {{}, {}},
      {{{"place1", DwordValue(17)}, {"place3", DwordValue(2)}}, {{"place0", DwordValue(17)}, {"place1", DwordValue(2)}}},
      {{{"place2", kText}, {"place4", DwordValue(5)}}, {{"place0", kText}, {"place1", DwordValue(5)}}},
      {{{"place0", kWideExpand}, {"place3", kWideText}}, {{"place0", kWideExpand}, {"place1", kWideText}}},
  };
  for (const auto& [before, after] : cases) {
    PutUserPlaces(before);
    policy.SetManagerPlaces();
    EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
    policy.SetManagerPlaces();  // a second open must not take the manager's places for the user's
    policy.RestoreUserPlaces();
    EXPECT_EQ(registry.Values(kPlacesBarKey), after);
    EXPECT_FALSE(registry.Has(policy.BackupKey()));
  }
}

TEST_F(PlacesBarTest, AKeyTheManagerMadeGoesAgainAndFailuresAreSilent) {
  const auto before = registry.KeyPaths();
  policy.SetManagerPlaces();
  EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
  policy.RestoreUserPlaces();
  EXPECT_EQ(registry.KeyPaths(), before);  // "ComDlg32" too, which it also made

  registry.Lock(kPoliciesKey);
  policy.SetManagerPlaces();
  EXPECT_FALSE(policy.ManagerPlacesInForce());
  EXPECT_EQ(registry.KeyPaths(), before);
}

TEST_F(PlacesBarTest, ACopyLeftByARunThatEndedIsPutBackAtTheNextStart) {
  PutUserPlaces({{"place1", DwordValue(17)}, {"place3", kText}});
  policy.SetManagerPlaces();
  // A second run starting while this one's manager is open leaves its copy alone.
  PlacesBarPolicy secondRun(registry, otherRun, kProgramKey);
  EXPECT_FALSE(secondRun.RecoverLeftCopy());
  secondRun.SetManagerPlaces();
  EXPECT_FALSE(secondRun.ManagerPlacesInForce());
  EXPECT_TRUE(registry.Has(policy.BackupKey()));

  held = false;  // the run ends without a restore, and its hold goes with it
  EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
  EXPECT_TRUE(secondRun.RecoverLeftCopy());
  EXPECT_EQ(registry.Values(kPlacesBarKey), (Values{{"place0", DwordValue(17)}, {"place1", kText}}));
  EXPECT_FALSE(registry.Has(policy.BackupKey()));
}

TEST_F(PlacesBarTest, ACopyWithoutItsMarkIsDroppedAndChangesNothing) {
  PutUserPlaces({{"place0", DwordValue(17)}, {"place1", DwordValue(2)}});
  registry.Put(policy.BackupKey(), "Place0", DwordValue(9));  // ended while the copy was written
  EXPECT_FALSE(policy.RecoverLeftCopy());
  EXPECT_EQ(registry.Values(kPlacesBarKey), (Values{{"place0", DwordValue(17)}, {"place1", DwordValue(2)}}));
  EXPECT_FALSE(registry.Has(policy.BackupKey()));
}

TEST_F(PlacesBarTest, AChangeThatFailsAtAnyStepNeverCostsTheUserTheirPlaces) {
  const Values user{{"place0", kWideExpand}, {"place1", DwordValue(17)}, {"place2", kWideText}};
  PutUserPlaces(user);
  policy.SetManagerPlaces();
  policy.RestoreUserPlaces();
  const int steps = registry.Changes();
  for (const bool runEndsWithManagerOpen : {false, true}) {
    for (int step = 1; step <= steps; ++step) {
      SCOPED_TRACE(testing::Message() << "step " << step << (runEndsWithManagerOpen ? ", run ends" : ""));
      Reset();
      PutUserPlaces(user);
      registry.FailChange(step);
      {
        FlagHold runHold(held);
        PlacesBarPolicy run(registry, runHold, kProgramKey);
        run.SetManagerPlaces();
        // Without a whole copy nothing of the user's is touched.
        if (!run.ManagerPlacesInForce()) EXPECT_EQ(registry.Values(kPlacesBarKey), user);
        if (!runEndsWithManagerOpen) run.RestoreUserPlaces();
      }
      held = false;  // the hold ends with its run
      registry.FailChange(0);
      PlacesBarPolicy(registry, otherRun, kProgramKey).RecoverLeftCopy();  // the next start
      EXPECT_EQ(registry.Values(kPlacesBarKey), user);
      EXPECT_FALSE(registry.Has(policy.BackupKey()));
    }
  }
}
