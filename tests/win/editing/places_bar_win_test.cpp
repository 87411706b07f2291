// The places-bar policy on the real per-user registry of the test's prefix.
#include "editing/browse/places_bar.h"

#include <gtest/gtest.h>

#include "editing/browse/places_bar_win.h"
#include "platform/registry_win.h"

using namespace places;

namespace {

const std::string kProgramName = "Orvantis Software Places Test";
const std::string kProgramKey = "SOFTWARE\\" + kProgramName;

class PlacesBarWinTest : public testing::Test {
 protected:
  void SetUp() override {
    // A Wine prefix has no per-user policy tree; a Windows system always has one.
    ASSERT_TRUE(registry.CreateSubkey("Software\\Microsoft\\Windows\\CurrentVersion", "Policies"));
    ASSERT_TRUE(registry.CreateSubkey("SOFTWARE", kProgramName));
    ASSERT_FALSE(registry.KeyExists(kComDlgKey)) << "the prefix already has a file-dialog policy";
  }
  void TearDown() override {
    registry.DeleteSubkey(kComDlgKey, "PlacesBar");
    registry.DeleteSubkey(kPoliciesKey, "ComDlg32");
    registry.DeleteSubkey(kProgramKey, kBackupName);
    registry.DeleteSubkey("SOFTWARE", kProgramName);
  }
  std::optional<RegistryValue> Place(int i) { return registry.ReadValue(kPlacesBarKey, PlaceValueName(i)); }

  WinRegistry registry;
  PlacesBarPolicy policy{registry, kProgramKey};
};

}  // namespace

TEST_F(PlacesBarWinTest, AKeyTheManagerMadeGoesAgainAndTheUsersValuesComeBackWithTheirTypes) {
  policy.SetManagerPlaces();
  for (int i = 0; i < kPlaceCount; ++i) EXPECT_EQ(Place(i), DwordValue(kManagerPlaces[i])) << i;
  policy.RestoreUserPlaces();
  EXPECT_FALSE(registry.KeyExists(kComDlgKey));
  EXPECT_FALSE(registry.KeyExists(policy.BackupKey()));

  ASSERT_TRUE(registry.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar"));
  const RegistryValue text{regtype::kString, std::string("C:\\Projects\0", 12)};
  registry.WriteValue(kPlacesBarKey, "Place1", DwordValue(17));
  registry.WriteValue(kPlacesBarKey, "Place3", text);
  policy.SetManagerPlaces();
  EXPECT_EQ(Place(3), DwordValue(8));
  policy.RestoreUserPlaces();
  EXPECT_EQ(Place(0), DwordValue(17));
  EXPECT_EQ(Place(1), text);
  EXPECT_FALSE(Place(2) || Place(3) || Place(4));
}

TEST_F(PlacesBarWinTest, TheStartUpPutsBackWhatAKilledRunLeftBehind) {
  ASSERT_TRUE(registry.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar"));
  registry.WriteValue(kPlacesBarKey, "Place0", DwordValue(36));
  PlacesBarPolicy(registry, kProgramKey).SetManagerPlaces();
  EXPECT_EQ(Place(0), DwordValue(23));
  EXPECT_TRUE(RestorePlacesLeftByEarlierRun(kProgramKey));
  EXPECT_EQ(Place(0), DwordValue(36));
  EXPECT_FALSE(Place(1));
  EXPECT_FALSE(RestorePlacesLeftByEarlierRun(kProgramKey));
}
