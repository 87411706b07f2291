#include "editing/browse/places_bar.h"

#include <gtest/gtest.h>

#include <map>

#include "support/memory_registry.h"

using namespace places;
using Values = std::map<std::string, RegistryValue>;

namespace {

const std::string kProgramKey = "SOFTWARE\\Orvantis Software";
const RegistryValue kText{regtype::kString, std::string("C:\\Projects\0", 12)};

Values ManagerPlaces() {
  Values values;
  for (int i = 0; i < kPlaceCount; ++i) values["place" + std::to_string(i)] = DwordValue(kManagerPlaces[i]);
  return values;
}

class PlacesBarTest : public testing::Test {
 protected:
  PlacesBarTest() {
    registry.AddKey(kPoliciesKey);
    registry.AddKey(kProgramKey);
  }
  void PutUserPlaces(const Values& values) {
    registry.AddKey(kPlacesBarKey);
    for (int i = 0; i < kPlaceCount; ++i) registry.DeleteValue(kPlacesBarKey, PlaceValueName(i));
    for (const auto& [name, value] : values) registry.Put(kPlacesBarKey, name, value);
  }
  MemoryRegistry registry;
  PlacesBarPolicy policy{registry, kProgramKey};
};

}  // namespace

TEST_F(PlacesBarTest, TheUsersValuesComeBackRenumberedWithTheirTypes) {
  const std::pair<Values, Values> cases[] = {
      {{}, {}},
      {{{"place1", DwordValue(17)}, {"place3", DwordValue(2)}}, {{"place0", DwordValue(17)}, {"place1", DwordValue(2)}}},
      {{{"place2", kText}, {"place4", DwordValue(5)}}, {{"place0", kText}, {"place1", DwordValue(5)}}},
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
  PlacesBarPolicy(registry, kProgramKey).SetManagerPlaces();  // the run ends without a restore
  EXPECT_EQ(registry.Values(kPlacesBarKey), ManagerPlaces());
  EXPECT_TRUE(PlacesBarPolicy(registry, kProgramKey).RecoverLeftCopy());
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
