#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "widgets/hyperlink_rules.h"

namespace {

TEST(HyperlinkErrorText, TableTextsAndUnknownCodes) {
  const std::string head = "Unable to open hyperlink:\n\n";
  EXPECT_EQ(HyperlinkErrorText(31),
            head + "There is no application associated\nwith the given filename extension.");
  EXPECT_EQ(HyperlinkErrorText(26), head + "A sharing violation occurred. ");
  EXPECT_EQ(HyperlinkErrorText(0), head + "The operating system is out\nof memory or resources.");
  EXPECT_EQ(HyperlinkErrorText(2), head + "The specified file was not found.");
  EXPECT_EQ(HyperlinkErrorText(4), head + "Unknown Error (4) occurred.");
  EXPECT_EQ(HyperlinkErrorText(-7), head + "Unknown Error (-7) occurred.");
}

TEST(FallbackCommandLine, CutsAtThePlaceholder) {
  struct Case {
    const char* registered;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"\"C:\\Browser\\web.exe\" \"%1\" -nohome", "\"C:\\Browser\\web.exe\"  http://x/"},
      {"C:\\web.exe %1 -nohome", "C:\\web.exe  http://x/"},
      {"C:\\web.exe -url", "C:\\web.exe -url http://x/"},
      // The bare placeholder inside quotes that do not close right after it.
      {"web.exe \"%1 x\"", "web.exe \" http://x/"},
  };
  for (const Case& c : cases) EXPECT_EQ(FallbackCommandLine(c.registered, "http://x/"), c.expected) << c.registered;
}

class FakeSystem : public HyperlinkSystem {
 public:
  int ShellOpen(const std::string& target, int show) override {
    log.push_back("shell " + target + " " + std::to_string(show));
    return shellResult;
  }
  std::optional<std::string> ClassesRootDefault(const std::string& key) override {
    log.push_back("read " + key);
    auto it = registry.find(key);
    if (it == registry.end()) return std::nullopt;
    return it->second;
  }
  int Run(const std::string& commandLine, int show) override {
    log.push_back("run " + commandLine + " " + std::to_string(show));
    return runResult;
  }

  int shellResult = 42;
  int runResult = 33;
  std::map<std::string, std::string> registry;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(OpenHyperlink, TheShellAloneWhenItSucceeds) {
  FakeSystem system;
  EXPECT_EQ(OpenHyperlink("mailto:a@b", 5, system), 42);
  EXPECT_EQ(system.log, (Log{"shell mailto:a@b 5"}));
}

TEST(OpenHyperlink, FallsBackToTheHtmProgram) {
  FakeSystem system;
  system.shellResult = 31;
  system.registry = {{".htm", "htmlfile"}, {"htmlfile\\shell\\open\\command", "web.exe \"%1\""}};
  system.runResult = 2;
  EXPECT_EQ(OpenHyperlink("x.qr", 5, system), 2);
  EXPECT_EQ(system.log, (Log{"shell x.qr 5", "read .htm", "read htmlfile\\shell\\open\\command", "run web.exe  x.qr 5"}));
}

TEST(OpenHyperlink, RegistryFailuresReportTheShellResult) {
  FakeSystem system;
  system.shellResult = 31;
  EXPECT_EQ(OpenHyperlink("x.qr", 5, system), 31);  // no ".htm"
  system.registry = {{".htm", "htmlfile"}};
  EXPECT_EQ(OpenHyperlink("x.qr", 5, system), 31);  // no command
  EXPECT_EQ(system.log.back(), "read htmlfile\\shell\\open\\command");
}

TEST(RunResultFromError, FailuresStayBelowTheSuccessThreshold) {
  EXPECT_EQ(RunResultFromError(2), 2);
  EXPECT_EQ(RunResultFromError(193), 11);
  EXPECT_EQ(RunResultFromError(32), 26);
  for (unsigned long error : {0ul, 6ul, 87ul, 1155ul, 0xFFFFFFFFul}) EXPECT_LE(RunResultFromError(error), 32) << error;
}

TEST(FitLinkToText, FollowsTheAlignmentStyle) {
  const Rect control = {10, 20, 110, 40};  // 100 x 20
  const Size text = {60, 13};
  EXPECT_EQ(FitLinkToText(control, text, LinkTextAlign::kLeft, false), (Rect{10, 20, 70, 33}));
  EXPECT_EQ(FitLinkToText(control, text, LinkTextAlign::kRight, false), (Rect{50, 20, 110, 33}));
  EXPECT_EQ(FitLinkToText(control, text, LinkTextAlign::kCenter, false), (Rect{30, 20, 90, 33}));
  EXPECT_EQ(FitLinkToText(control, text, LinkTextAlign::kLeft, true), (Rect{10, 23, 70, 36}));
  // A text longer than the control widens it.
  EXPECT_EQ(FitLinkToText(control, {140, 13}, LinkTextAlign::kCenter, false), (Rect{-10, 20, 130, 33}));
}

}  // namespace
