// The places-bar policy on the real per-user registry of the test's prefix.
#include "editing/browse/places_bar.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "editing/browse/places_bar_win.h"
#include "platform/registry_win.h"
#include "platform/text_win.h"

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
  NamedPlacesHold hold{kProgramKey};
  PlacesBarPolicy policy{registry, hold, kProgramKey};
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
  policy.SetManagerPlaces();
  // Another run starting while this manager is open leaves its places and copy alone.
  EXPECT_FALSE(RestorePlacesLeftByEarlierRun(kProgramKey));
  EXPECT_EQ(Place(0), DwordValue(23));
  EXPECT_TRUE(registry.KeyExists(policy.BackupKey()));
  hold.Release();  // the run ends with the manager open
  EXPECT_TRUE(RestorePlacesLeftByEarlierRun(kProgramKey));
  EXPECT_EQ(Place(0), DwordValue(36));
  EXPECT_FALSE(Place(1));
  EXPECT_FALSE(RestorePlacesLeftByEarlierRun(kProgramKey));
}

namespace {

// Straight through the system's wide calls, apart from the code under test.
std::optional<std::pair<DWORD, std::wstring>> WidePlace(const wchar_t* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, WideFromAnsi(kPlacesBarKey).c_str(), 0, KEY_ALL_ACCESS, &key) != 0) return {};
  wchar_t text[256] = {};
  DWORD type = 0, size = sizeof(text) - sizeof(wchar_t);
  const LONG result = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  ::RegCloseKey(key);
  if (result != 0) return {};
  return std::make_pair(type, std::wstring(text));
}

}  // namespace

TEST_F(PlacesBarWinTest, APlaceOutsideTheCodePageComesBackByteForByte) {
  ASSERT_TRUE(registry.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar"));
  const std::wstring path = L"%USERPROFILE%\\\u041f\u0440\u043e\u0435\u043a\u0442 \u6587\u4ef6";
  const std::wstring share = L"\\\\srv\\\u00e9t\u00e9 \u03a9";
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, WideFromAnsi(kPlacesBarKey).c_str(), 0, KEY_ALL_ACCESS, &key), 0);
  ::RegSetValueExW(key, L"Place0", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
  ::RegSetValueExW(key, L"Place1", 0, REG_SZ, reinterpret_cast<const BYTE*>(share.c_str()),
                   static_cast<DWORD>((share.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  policy.SetManagerPlaces();
  EXPECT_EQ(Place(0), DwordValue(kManagerPlaces[0]));
  policy.RestoreUserPlaces();
  EXPECT_EQ(WidePlace(L"Place0"), std::make_pair(DWORD{REG_EXPAND_SZ}, path));
  EXPECT_EQ(WidePlace(L"Place1"), std::make_pair(DWORD{REG_SZ}, share));
}
