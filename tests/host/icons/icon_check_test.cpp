// The bookkeeping of the worker's icon checks: each icon once per run however
// often it is asked, icons asked while a run goes wait for the next, and an
// answer reaches only the places of lists still in use.
#include "icons/icon_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

IconCheckRequest RequestFor(const std::string& path, int32_t index = 0) {
  return {{path, index}, path, index, "\\\\server\\share\\" + path, std::nullopt};
}

std::vector<IconKey> KeysOf(const std::vector<IconCheckRequest>& requests) {
  std::vector<IconKey> keys;
  for (const IconCheckRequest& request : requests) keys.push_back(request.key);
  return keys;
}

// Sequences of asks and runs, and what each run is given.
TEST(IconCheckQueueTest, EachIconIsCheckedOncePerRun) {
  IconCheckQueue queue;
  const IconKey a{"a.exe", 0};
  const IconKey a1{"a.exe", 1};
  const IconKey b{"b.exe", 0};

  queue.Ask(RequestFor("a.exe"));
  queue.Ask(RequestFor("a.exe"));  // a second button with the same icon
  queue.Ask(RequestFor("b.exe"));
  EXPECT_EQ(KeysOf(queue.TakeWaiting()), (std::vector<IconKey>{a, b}));
  EXPECT_FALSE(queue.Waiting());

  // Asked again while its run goes, and after its answer: never listed again.
  queue.Ask(RequestFor("a.exe"));
  EXPECT_FALSE(queue.Waiting());
  EXPECT_TRUE(queue.Pending(a));
  queue.Answered(a);
  EXPECT_FALSE(queue.Pending(a));
  queue.Ask(RequestFor("a.exe"));
  EXPECT_FALSE(queue.Waiting());

  // Another index of the same file is another icon, new to the run.
  queue.Ask(RequestFor("a.exe", 1));
  EXPECT_EQ(KeysOf(queue.TakeWaiting()), std::vector<IconKey>{a1});
}

TEST(IconCheckQueueTest, AnswersReachOnlyPlacesOfListsStillInUse) {
  int lists[4] = {};
  const ImageListPair first{&lists[0], &lists[1]};
  const ImageListPair second{&lists[2], &lists[3]};
  const IconKey a{"a.exe", 0};
  const IconKey b{"b.exe", 0};
  IconCheckQueue queue;
  queue.Ask(RequestFor("a.exe"));
  queue.Ask(RequestFor("b.exe"));
  queue.TakeWaiting();

  queue.Place(a, {first, 0, 0, false});
  queue.Place(b, {first, 1, 1, false});
  queue.Place(a, {second, 3, 3, true});  // the next build, while the run still goes
  queue.Place({"local.exe", 0}, {second, 4, 4, true});  // never asked: nothing to replace
  queue.Forget(first);                   // the first build's lists go

  const std::vector<ImagePlace> places = queue.Answered(a);
  ASSERT_EQ(places.size(), 1u);
  EXPECT_EQ(places[0].lists, second);
  EXPECT_EQ(places[0].small, 3);
  EXPECT_TRUE(places[0].largeShown);
  EXPECT_TRUE(queue.Answered(b).empty());
  EXPECT_TRUE(queue.Answered({"local.exe", 0}).empty());

  // Answered icons are placed no more: later builds show what was found.
  queue.Place(a, {second, 5, 5, true});
  EXPECT_TRUE(queue.Answered(a).empty());
}

}  // namespace

TEST(IconCheckPlaces, EachDriveAndShareIsAPlaceOfItsOwn) {
  const struct {
    const char* path;
    const char* place;
  } cases[] = {
      {"e:\\photos\\a.ico", "E:"},
      {"E:\\", "E:"},
      {"\\\\Server\\Share\\dir\\a.exe", "\\\\server\\share"},
      {"//server/share/a.exe", "\\\\server\\share"},
      {"\\\\server\\share", "\\\\server\\share"},
      {"\\\\server\\other\\a.exe", "\\\\server\\other"},
  };
  for (const auto& c : cases) EXPECT_EQ(SlowPlaceOf(c.path), c.place) << c.path;
  EXPECT_EQ(DriveLettersOfMask((1u << 4) | (1u << 25) | 1u), "AEZ");
  EXPECT_TRUE(OnDrives("e:\\a.ico", "AE"));
  EXPECT_FALSE(OnDrives("F:\\a.ico", "AE"));
  EXPECT_FALSE(OnDrives("\\\\server\\share\\a.ico", "AE"));
}

TEST(IconCheckPlaces, AnIconIsAskedAgainOnlyOnceItsCheckIsOver) {
  IconCheckQueue queue;
  const IconKey key{"E:\\a.ico", 0};
  queue.Ask({key, "E:\\a.ico", 0, "E:\\a.ico", std::nullopt});
  EXPECT_FALSE(queue.AskAgain({key, "E:\\a.ico", 0, "E:\\a.ico", std::nullopt}));
  EXPECT_EQ(queue.TakeWaiting().size(), 1u);
  queue.Answered(key);
  queue.Ask({key, "E:\\a.ico", 0, "E:\\a.ico", std::nullopt});
  EXPECT_FALSE(queue.Waiting());  // once per run
  EXPECT_TRUE(queue.AskAgain({key, "E:\\a.ico", 0, "E:\\a.ico", std::nullopt}));
  EXPECT_TRUE(queue.Pending(key));
  EXPECT_EQ(queue.TakeWaiting().size(), 1u);
}
