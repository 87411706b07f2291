// The window base: several objects subclass one control and each receives its
// messages; one that gives the control back leaves the others in place; a
// class name keeps the look it was first registered with.
#include <gtest/gtest.h>

#include <memory>

#include "platform/window_win.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;

// Counts the probe messages and passes everything on.
class Counter : public Window {
 public:
  int seen = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kProbe) ++seen;
    return DefaultProc(msg, wp, lp);
  }
};

class Host : public Window {
 public:
  ~Host() override { Destroy(); }
};

TEST(WindowBase, EveryObjectSubclassingOneControlReceivesItsMessages) {
  Host host;
  ASSERT_TRUE(host.Create("QrSubclassHost", "", WS_POPUP, 0, 0, 0, 100, 100, nullptr, nullptr));
  const HWND control = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 10, 10, host.Hwnd(), nullptr,
                                         ResourceModule(), nullptr);
  ASSERT_NE(control, nullptr);

  Counter first;
  auto second = std::make_unique<Counter>();
  Counter third;
  ASSERT_TRUE(first.Subclass(control));
  ASSERT_TRUE(second->Subclass(control));
  ASSERT_TRUE(third.Subclass(control));
  ::SendMessageA(control, kProbe, 0, 0);
  EXPECT_EQ(first.seen, 1);
  EXPECT_EQ(second->seen, 1);
  EXPECT_EQ(third.seen, 1);

  // The middle one gives the control back and goes; so does the first.
  second->Release();
  second.reset();
  first.Release();
  ASSERT_TRUE(::IsWindow(control));
  ::SendMessageA(control, kProbe, 0, 0);
  EXPECT_EQ(first.seen, 1);
  EXPECT_EQ(third.seen, 2);
  EXPECT_EQ(first.Hwnd(), nullptr);

  // The control's end unbinds the one still there.
  ::DestroyWindow(control);
  EXPECT_EQ(third.Hwnd(), nullptr);
}

#ifdef NDEBUG  // in a debug build the second registration is an assertion
TEST(WindowBase, AClassNameKeepsTheStyleItWasFirstRegisteredWith) {
  Host first;
  Host second;
  Host third;
  ASSERT_TRUE(first.Create("QrOneLook", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr, CS_DBLCLKS));
  EXPECT_FALSE(second.Create("QrOneLook", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr, CS_HREDRAW));
  EXPECT_EQ(second.Hwnd(), nullptr);
  EXPECT_TRUE(third.Create("QrOneLook", "", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr, CS_DBLCLKS));
}
#endif

}  // namespace
