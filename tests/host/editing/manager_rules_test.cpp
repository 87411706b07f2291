// The manager's window-free rules: web addresses, layouts, the "Window size"
// list and the delay in seconds.
#include <gtest/gtest.h>

#include <algorithm>

#include "editing/manager/manager_rules.h"
#include "editing_ids.h"

namespace {

struct AddressCase {
  const char* typed;
  const char* stored;
};

class WebAddressTest : public testing::TestWithParam<AddressCase> {};

TEST_P(WebAddressTest, KeepsASchemeAndPrefixesTheRest) { EXPECT_EQ(WebAddress(GetParam().typed), GetParam().stored); }

INSTANTIATE_TEST_SUITE_P(
    Targets, WebAddressTest,
    testing::Values(AddressCase{"host/page", "http://host/page"}, AddressCase{"http://host", "http://host"},
                    AddressCase{"ftp://files.example", "ftp://files.example"},
                    AddressCase{"HTTP://HOST/Page", "HTTP://HOST/Page"}, AddressCase{"https://host", "https://host"},
                    AddressCase{"svn+ssh://repo", "svn+ssh://repo"}, AddressCase{"mailto:me@example.com", "mailto:me@example.com"},
                    AddressCase{"MailTo:me@example.com", "MailTo:me@example.com"},
                    // Not schemes: a drive, a port, a path before "://", nothing before it.
                    AddressCase{"c:\\pages\\index.htm", "http://c:\\pages\\index.htm"},
                    AddressCase{"www.example.com:8080/x", "http://www.example.com:8080/x"},
                    AddressCase{"host/a://b", "http://host/a://b"}, AddressCase{"://host", "http://://host"}));

bool Shows(int kind, bool details, int id) {
  const auto shown = ShownControls(kind, details);
  return std::find(shown.begin(), shown.end(), id) != shown.end();
}

TEST(ManagerLayout, EachKindShowsItsControls) {
  // Working folder and arguments: a file button's, and only with Details.
  EXPECT_FALSE(Shows(kLayoutFile, false, IDC_MGR_WORKDIR));
  EXPECT_TRUE(Shows(kLayoutFile, true, IDC_MGR_WORKDIR));
  EXPECT_TRUE(Shows(kLayoutFile, true, IDC_MGR_ARGS));
  for (int kind : {kLayoutFolder, kLayoutWeb}) {
    EXPECT_FALSE(Shows(kind, true, IDC_MGR_WORKDIR)) << kind;
    EXPECT_FALSE(Shows(kind, true, IDC_MGR_ARGS)) << kind;
    EXPECT_TRUE(Shows(kind, true, IDC_MGR_SIZE)) << kind;
    EXPECT_FALSE(Shows(kind, false, IDC_MGR_SIZE)) << kind;
  }
  // Only a bar has the home-bar options, and it has no target.
  for (int id = IDC_MGR_SHOW_ON_LAUNCH; id <= IDC_MGR_SECONDS_LABEL; ++id) {
    EXPECT_TRUE(Shows(kLayoutBar, false, id)) << id;
    for (int kind : {kLayoutFile, kLayoutFolder, kLayoutWeb}) EXPECT_FALSE(Shows(kind, true, id)) << id;
  }
  EXPECT_FALSE(Shows(kLayoutBar, false, IDC_MGR_TARGET));
  EXPECT_TRUE(ShownControls(kLayoutNone, true).empty());
  // The dialog hides from one list: everything any layout shows is in it.
  for (int kind = 0; kind <= kLayoutNone; ++kind)
    for (int id : ShownControls(kind, true))
      EXPECT_NE(std::find(LayoutControls().begin(), LayoutControls().end(), id), LayoutControls().end()) << id;
  EXPECT_EQ(ButtonLayout(7), kLayoutFile) << "an unknown kind is laid out as a file";
}

TEST(ManagerRules, WindowSizeAndDelay) {
  // Items 0, 1, 2 are normal, maximized, minimized: show commands 1, 3, 2.
  EXPECT_EQ(ShowCmdForSizeChoice(1, 9), 3);
  EXPECT_EQ(ShowCmdForSizeChoice(2, 9), 2);
  EXPECT_EQ(SizeChoiceForShowCmd(3, 9), 1);
  EXPECT_EQ(ShowCmdForSizeChoice(-1, 3), 3) << "no item selected keeps the stored command";
  EXPECT_EQ(SizeChoiceForShowCmd(7, 2), 2) << "an unknown command keeps the list as it was";
  // The delay is 1 to 600 seconds, whatever was typed or stored.
  EXPECT_EQ(ClampShowAfterSeconds(0), 1);
  EXPECT_EQ(ClampShowAfterSeconds(99999), 600);
  EXPECT_EQ(ShowAfterSecondsOf(3000), 3);
  EXPECT_EQ(ShowAfterSecondsOf(999), 1);
}

}  // namespace
