// The places-bar policy on the real per-user registry of the test's prefix.
#include "editing/places_bar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "editing/places_bar_win.h"
#include "platform/registry_win.h"

using namespace places;

namespace {

const std::string kTestProgramKey = "SOFTWARE\\Orvantis Software Places Test";

// Leaves the policy tree and the program key as the test found them.
class PlacesBarWinTest : public testing::Test {
 protected:
  void SetUp() override {
    hadComDlg_ = registry.KeyExists(kComDlgKey);
    ASSERT_FALSE(registry.KeyExists(kPlacesBarKey)) << "the prefix already has a places-bar policy";
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestProgramKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &raw, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(raw);
    // A Wine prefix has no per-user policy tree, a Windows system always has one.
    hadPolicies_ = registry.KeyExists(kPoliciesKey);
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kPoliciesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw,
                                nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(raw);
  }
  void TearDown() override {
    registry.DeleteSubkey(kComDlgKey, "PlacesBar");
    if (!hadComDlg_) registry.DeleteSubkey(kPoliciesKey, "ComDlg32");
    if (!hadPolicies_) registry.DeleteSubkey("Software\\Microsoft\\Windows\\CurrentVersion", "Policies");
    registry.DeleteSubkey(kTestProgramKey, kBackupName);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestProgramKey.c_str());
  }

  std::optional<uint32_t> Place(int i) {
    auto value = registry.ReadValue(kPlacesBarKey, PlaceValueName(i));
    return value ? DwordOf(*value) : std::nullopt;
  }

  WinRegistry registry;
  bool hadComDlg_ = false;
  bool hadPolicies_ = false;
};

}  // namespace

TEST(PlacesBarWinNoPolicyTreeTest, WithoutThePolicyTreeNothingChanges) {
  WinRegistry registry;
  if (registry.KeyExists(kPoliciesKey)) GTEST_SKIP() << "this system has a per-user policy tree";
  PlacesBarPolicy policy(registry, kTestProgramKey);
  policy.SetManagerPlaces();
  EXPECT_FALSE(policy.ManagerPlacesInForce());
  EXPECT_FALSE(registry.KeyExists(kPoliciesKey));
  policy.RestoreUserPlaces();
}

TEST_F(PlacesBarWinTest, WithoutAPolicyKeyTheManagerMakesItAndRemovesItAgain) {
  PlacesBarPolicy policy(registry, kTestProgramKey);
  policy.SetManagerPlaces();
  ASSERT_TRUE(registry.KeyExists(kPlacesBarKey));
  for (int i = 0; i < kPlaceCount; ++i) EXPECT_EQ(Place(i), kManagerPlaces[i]) << i;
  EXPECT_TRUE(registry.KeyExists(policy.BackupKey()));
  policy.RestoreUserPlaces();
  EXPECT_FALSE(registry.KeyExists(kPlacesBarKey));
  EXPECT_EQ(registry.KeyExists(kComDlgKey), hadComDlg_);
  EXPECT_FALSE(registry.KeyExists(policy.BackupKey()));
}

TEST_F(PlacesBarWinTest, TheUsersValuesComeBackRenumberedWithTheirTypes) {
  ASSERT_TRUE(registry.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar"));
  registry.WriteValue(kPlacesBarKey, "Place1", DwordValue(17));
  registry.WriteValue(kPlacesBarKey, "Place3", DwordValue(2));
  const RegistryValue text{regtype::kString, std::string("C:\\Projects\0", 12)};
  registry.WriteValue(kPlacesBarKey, "Place4", text);
  PlacesBarPolicy policy(registry, kTestProgramKey);
  policy.SetManagerPlaces();
  EXPECT_EQ(Place(1), 5u);
  policy.RestoreUserPlaces();
  EXPECT_EQ(Place(0), 17u);
  EXPECT_EQ(Place(1), 2u);
  EXPECT_EQ(registry.ReadValue(kPlacesBarKey, "Place2"), text);
  EXPECT_FALSE(registry.ReadValue(kPlacesBarKey, "Place3"));
  EXPECT_FALSE(registry.ReadValue(kPlacesBarKey, "Place4"));
}

TEST_F(PlacesBarWinTest, TheStartUpPutsBackWhatARunLeftBehind) {
  ASSERT_TRUE(registry.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar"));
  registry.WriteValue(kPlacesBarKey, "Place0", DwordValue(36));
  { PlacesBarPolicy(registry, kTestProgramKey).SetManagerPlaces(); }
  EXPECT_EQ(Place(0), 23u);
  EXPECT_TRUE(RestorePlacesLeftByEarlierRun(kTestProgramKey));
  EXPECT_EQ(Place(0), 36u);
  EXPECT_FALSE(registry.ReadValue(kPlacesBarKey, "Place1"));
  EXPECT_FALSE(RestorePlacesLeftByEarlierRun(kTestProgramKey));
}
