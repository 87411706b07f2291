#include "platform/exception_barrier.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

TEST(ExceptionBarrierTest, AnswersTheFallbackAndReportsOnlyTheFirstCatch) {
  std::vector<std::string> reports;
  SetCaughtReporter([&](const std::string& where, const std::string& what) { reports.push_back(where + ": " + what); });
  // The only test of this program that throws: the first catch is its own.
  ASSERT_EQ(0, CaughtCount());

  EXPECT_EQ(7, Guarded("ok", -1, [] { return 7; }));
  EXPECT_EQ(-1, Guarded("paint", -1, []() -> int { throw std::bad_alloc(); }));
  EXPECT_EQ(0, Guarded("drop", 0, []() -> int { throw 42; }));
  GuardedVoid("thread", [] { throw std::runtime_error("worker"); });

  EXPECT_EQ(3, CaughtCount());
  ASSERT_EQ(1u, reports.size());
  EXPECT_EQ("paint: std::bad_alloc", reports[0]);
  SetCaughtReporter(nullptr);
}
