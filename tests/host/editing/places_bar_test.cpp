#include "editing/places_bar.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/memory_registry.h"

using namespace places;

namespace {

const std::string kProgramKey = "SOFTWARE\\Orvantis Software";

RegistryValue Text(const std::string& text) { return {regtype::kString, text + std::string(1, '\0')}; }

std::map<std::string, RegistryValue> ManagerPlaces() {
  std::map<std::string, RegistryValue> values;
  for (int i = 0; i < kPlaceCount; ++i) values["place" + std::to_string(i)] = DwordValue(kManagerPlaces[i]);
  return values;
}

class PlacesBarTest : public testing::Test {
 protected:
  PlacesBarTest() {
    registry.AddKey(kPoliciesKey);
    registry.AddKey(kProgramKey);
  }
  MemoryRegistry registry;
};

}  // namespace

// The user's values before the manager opens → the policy afterwards.
struct PlacesCase {
  const char* name;
  std::map<std::string, RegistryValue> before;
  std::map<std::string, RegistryValue> after;
};

class PlacesBarSaveRestoreTest : public PlacesBarTest, public testing::WithParamInterface<PlacesCase> {};

TEST_P(PlacesBarSaveRestoreTest, ManagerPlacesWhileOpenUserPlacesRenumberedAfterwards) {
  registry.AddKey(kPlacesBarKey);
  for (const auto& [name, value] : GetParam().before) registry.Put(kPlacesBarKey, name, value);
  PlacesBarPolicy policy(registry, kProgramKey);
  policy.SetManagerPlaces();
  auto whileOpen = registry.Values(kPlacesBarKey);
  whileOpen.erase("noplacesback");
  EXPECT_EQ(whileOpen, ManagerPlaces());
  policy.RestoreUserPlaces();
  EXPECT_EQ(registry.Values(kPlacesBarKey), GetParam().after);
  EXPECT_FALSE(registry.Has(policy.BackupKey()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlacesBarSaveRestoreTest,
    testing::Values(
        PlacesCase{"EmptyKey", {}, {}},
        PlacesCase{"GapsClose",
                   {{"place1", DwordValue(17)}, {"place3", DwordValue(2)}},
                   {{"place0", DwordValue(17)}, {"place1", DwordValue(2)}}},
        PlacesCase{"TextAndOtherTypesKept",
                   {{"place0", Text("C:\\Projects")}, {"place2", DwordValue(5)},
                    {"place4", {regtype::kExpandString, std::string("%USERPROFILE%\0", 14)}}},
                   {{"place0", Text("C:\\Projects")}, {"place1", DwordValue(5)},
                    {"place2", {regtype::kExpandString, std::string("%USERPROFILE%\0", 14)}}}},
        PlacesCase{"AllFiveAndOthersUntouched",
                   {{"place0", DwordValue(1)}, {"place1", DwordValue(2)}, {"place2", DwordValue(3)},
                    {"place3", DwordValue(4)}, {"place4", DwordValue(5)}, {"noplacesback", DwordValue(1)}},
                   {{"place0", DwordValue(1)}, {"place1", DwordValue(2)}, {"place2", DwordValue(3)},
                    {"place3", DwordValue(4)}, {"place4", DwordValue(5)}, {"noplacesback", DwordValue(1)}}}),
    [](const testing::TestParamInfo<PlacesCase>& info) { return std::string(info.param.name); });

TEST_F(PlacesBarTest, AKeyTheManagerMadeGoesAgainWithTheLevelItMadeAboveIt) {
  const std::vector<std::string> before = registry.KeyPaths();
  PlacesBarPolicy policy(registry, kProgramKey);
  policy.SetManagerPlaces();
  EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
  policy.RestoreUserPlaces();
  EXPECT_EQ(registry.KeyPaths(), before);
}

TEST_F(PlacesBarTest, AnExistingComDlgKeyStaysWhenOnlyPlacesBarWasMade) {
  registry.Put(kComDlgKey, "NoFileMru", DwordValue(1));
  PlacesBarPolicy policy(registry, kProgramKey);
  policy.SetManagerPlaces();
  policy.RestoreUserPlaces();
  EXPECT_FALSE(registry.Has(kPlacesBarKey));
  EXPECT_EQ(registry.Values(kComDlgKey).size(), 1u);
}

TEST_F(PlacesBarTest, ApplyLeavesTheManagerPlacesAndOnlyTheFirstOpenCounts) {
  registry.Put(kPlacesBarKey, "Place0", DwordValue(17));
  PlacesBarPolicy policy(registry, kProgramKey);
  policy.SetManagerPlaces();
  policy.SetManagerPlaces();  // must not take the manager's places for the user's
  EXPECT_TRUE(policy.ManagerPlacesInForce());
  policy.RestoreUserPlaces();
  EXPECT_EQ(registry.Values(kPlacesBarKey), (std::map<std::string, RegistryValue>{{"place0", DwordValue(17)}}));
  policy.RestoreUserPlaces();  // a second close changes nothing
  EXPECT_EQ(registry.Values(kPlacesBarKey).size(), 1u);
}

TEST_F(PlacesBarTest, RegistryFailuresAreSilentAndChangeNothing) {
  MemoryRegistry locked;
  locked.AddKey(kProgramKey);
  locked.AddKey(kPoliciesKey);
  locked.Lock(kPoliciesKey);
  PlacesBarPolicy policy(locked, kProgramKey);
  policy.SetManagerPlaces();
  EXPECT_FALSE(policy.ManagerPlacesInForce());
  EXPECT_FALSE(locked.Has(kPlacesBarKey));
  EXPECT_FALSE(locked.Has(policy.BackupKey()));
  policy.RestoreUserPlaces();
}

TEST_F(PlacesBarTest, WithoutAProgramKeyTheRestoreWorksFromMemory) {
  MemoryRegistry bare;
  bare.Put(kPlacesBarKey, "Place3", DwordValue(2));
  PlacesBarPolicy policy(bare, kProgramKey);
  policy.SetManagerPlaces();
  EXPECT_EQ(bare.Values(kPlacesBarKey), ManagerPlaces());
  policy.RestoreUserPlaces();
  EXPECT_EQ(bare.Values(kPlacesBarKey), (std::map<std::string, RegistryValue>{{"place0", DwordValue(2)}}));
}

TEST_F(PlacesBarTest, ACopyLeftByARunThatEndedIsRestoredAtTheNextStart) {
  registry.Put(kPlacesBarKey, "Place1", DwordValue(17));
  registry.Put(kPlacesBarKey, "Place3", Text("D:\\Shared"));
  {
    PlacesBarPolicy crashed(registry, kProgramKey);
    crashed.SetManagerPlaces();
    // The process ends here without a restore.
  }
  EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
  PlacesBarPolicy next(registry, kProgramKey);
  EXPECT_TRUE(next.RecoverLeftCopy());
  EXPECT_EQ(registry.Values(kPlacesBarKey),
            (std::map<std::string, RegistryValue>{{"place0", DwordValue(17)}, {"place1", Text("D:\\Shared")}}));
  EXPECT_FALSE(registry.Has(next.BackupKey()));
  EXPECT_FALSE(next.RecoverLeftCopy());
}

TEST_F(PlacesBarTest, ACopyLeftWhenTheManagerHadMadeTheKeyRemovesTheKey) {
  const std::vector<std::string> before = registry.KeyPaths();
  { PlacesBarPolicy(registry, kProgramKey).SetManagerPlaces(); }
  PlacesBarPolicy next(registry, kProgramKey);
  EXPECT_TRUE(next.RecoverLeftCopy());
  EXPECT_EQ(registry.KeyPaths(), before);
}

TEST_F(PlacesBarTest, OpeningTheManagerAfterALeftCopyRestoresFirst) {
  registry.Put(kPlacesBarKey, "Place2", DwordValue(9));
  { PlacesBarPolicy(registry, kProgramKey).SetManagerPlaces(); }
  PlacesBarPolicy next(registry, kProgramKey);
  next.SetManagerPlaces();  // no start-up recovery ran
  next.RestoreUserPlaces();
  EXPECT_EQ(registry.Values(kPlacesBarKey), (std::map<std::string, RegistryValue>{{"place0", DwordValue(9)}}));
}

TEST_F(PlacesBarTest, AnUnfinishedCopyMeansThePlacesWereNeverChanged) {
  registry.Put(kPlacesBarKey, "Place0", DwordValue(17));
  registry.Put(kPlacesBarKey, "Place1", DwordValue(2));
  // A copy without its completion mark: the run ended while it was written.
  registry.Put(kProgramKey + "\\" + kBackupName, "Place0", DwordValue(17));
  PlacesBarPolicy next(registry, kProgramKey);
  EXPECT_FALSE(next.RecoverLeftCopy());
  EXPECT_EQ(registry.Values(kPlacesBarKey).size(), 2u);
  EXPECT_FALSE(registry.Has(next.BackupKey()));
}

TEST_F(PlacesBarTest, APolicyKeyRemovedByOthersMeanwhileIsNotMadeAgain) {
  registry.Put(kPlacesBarKey, "Place0", DwordValue(17));
  PlacesBarPolicy policy(registry, kProgramKey);
  policy.SetManagerPlaces();
  ASSERT_TRUE(registry.DeleteSubkey(kComDlgKey, "PlacesBar"));
  policy.RestoreUserPlaces();
  EXPECT_FALSE(registry.Has(kPlacesBarKey));
  EXPECT_FALSE(registry.Has(policy.BackupKey()));
}
