#include <gtest/gtest.h>

#include "db/cdb.h"

#include <set>
#include <string>

#include "app/autostart.h"
#include "app/registry_values.h"
#include "app/sample_bar.h"
#include "app/single_copy.h"
#include "app/shortcut_file.h"
#include "platform/byte_codec.h"
#include "core/settings.h"

namespace {

struct AutoStartCase {
  int startWindows, askAutoStart;
  bool yes, dontAsk, shortcutMade;
  bool expectAsked;
  int expectStartWindows, expectAskAutoStart;
  int expectShortcutCalls;
};

class AutoStartAnswer : public testing::TestWithParam<AutoStartCase> {};

TEST_P(AutoStartAnswer, SettingsFollowTheAnswer) {
  const AutoStartCase& c = GetParam();
  Settings settings;
  settings.StartWindows = c.startWindows;
  settings.AskAutoStart = c.askAutoStart;
  EXPECT_EQ(ShouldAskAutoStart(settings), c.expectAsked);
  if (!c.expectAsked) return;
  int calls = 0;
  ApplyAutoStartAnswer(settings, c.yes, c.dontAsk, [&] {
    ++calls;
    return c.shortcutMade;
  });
  EXPECT_EQ(settings.StartWindows, c.expectStartWindows);
  EXPECT_EQ(settings.AskAutoStart, c.expectAskAutoStart);
  EXPECT_EQ(calls, c.expectShortcutCalls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutoStartAnswer,
    testing::Values(
        // already starting with Windows, or told not to ask: no question
        AutoStartCase{1, 1, false, false, true, false, 1, 1, 0},
        AutoStartCase{0, 0, false, false, true, false, 0, 0, 0},
        AutoStartCase{1, 0, false, false, true, false, 1, 0, 0},
        // asked and answered
        AutoStartCase{0, 1, true, false, true, true, 1, 1, 1},
        AutoStartCase{0, 1, true, true, true, true, 1, 0, 1},
        AutoStartCase{0, 1, true, false, false, true, 0, 1, 1},  // shortcut failed
        AutoStartCase{0, 1, false, true, true, true, 0, 0, 0},   // "No", don't ask again
        AutoStartCase{0, 1, false, false, true, true, 0, 1, 0},  // "No": asked next time
        AutoStartCase{0, 7, false, true, true, true, 0, 0, 0}));  // any non-zero asks

TEST(RegistryValues, VersionTakesLeadingDigits) {
  EXPECT_EQ(ParseVersionText("100"), 100);
  EXPECT_EQ(ParseVersionText("12abc"), 12);
  EXPECT_EQ(ParseVersionText("abc"), 0);
  EXPECT_EQ(ParseVersionText(""), 0);
  EXPECT_EQ(ParseVersionText("-3"), -3);
  EXPECT_EQ(ParseVersionText("99999999999"), INT32_MAX);
}

class FakeMachine : public SampleBarProbes {
 public:
  std::set<std::string> dirs, files;
  std::optional<std::string> documents, windows;
  bool DirectoryExists(const std::string& p) override { return dirs.count(p) > 0; }
  bool FileExists(const std::string& p) override { return files.count(p) > 0; }
  std::optional<std::string> DocumentsFolder() override { return documents; }
  std::optional<std::string> WindowsFolder() override { return windows; }
};

std::string Names(const std::vector<SampleButton>& buttons) {
  std::string out;
  for (const auto& b : buttons) out += (b.separator ? std::string("|") : b.name) + ";";
  return out;
}

TEST(SampleBar, FullMachineGivesEveryButtonInOrder) {
  FakeMachine m;
  m.dirs = {"A:\\", "C:\\", "D:\\"};
  m.documents = "C:\\Users\\u\\Documents";
  m.windows = "C:\\windows";
  m.files = {"C:\\windows\\explorer.exe", "C:\\windows\\calc.exe", "C:\\windows\\notepad.exe"};
  auto buttons = SampleBarButtons(m);
  EXPECT_EQ(Names(buttons),
            "A:\\;C:\\;D:\\;My Documents;|;Windows Explorer;Calculator;Notepad;|;Google;");
  const SampleButton& docs = buttons[3];
  EXPECT_EQ(docs.kind, 1);
  EXPECT_EQ(docs.target, "C:\\Users\\u\\Documents");
  EXPECT_EQ(docs.workDir, docs.target);
  EXPECT_EQ(docs.iconFile, docs.target);
  const SampleButton& notepad = buttons[7];
  EXPECT_EQ(notepad.kind, 0);
  EXPECT_EQ(notepad.target, "C:\\windows\\notepad.exe");
  EXPECT_EQ(notepad.workDir, "C:\\windows\\") << "a program starts in its folder, not in its file";
  const SampleButton& web = buttons.back();
  EXPECT_EQ(web.kind, 2);
  EXPECT_EQ(web.target.rfind("https://", 0), 0u);
  EXPECT_EQ(web.iconFile, web.target);
  EXPECT_TRUE(web.workDir.empty());
}

TEST(SampleBar, CalculatorFallsBackToSystem32) {
  FakeMachine m;
  m.windows = "C:\\windows";
  m.files = {"C:\\windows\\System32\\calc.exe"};
  auto buttons = SampleBarButtons(m);
  EXPECT_EQ(Names(buttons), "|;Calculator;|;Google;");
  EXPECT_EQ(buttons[1].target, "C:\\windows\\System32\\calc.exe");
}

TEST(SampleBar, MissingPiecesAreLeftOut) {
  FakeMachine m;  // no drives, no documents, no Windows folder
  EXPECT_EQ(Names(SampleBarButtons(m)), "|;|;Google;");
  m.windows = "C:\\windows";
  m.files = {"C:\\windows\\notepad.exe"};
  m.dirs = {"C:\\"};
  EXPECT_EQ(Names(SampleBarButtons(m)), "C:\\;|;Notepad;|;Google;");
}

TEST(SampleBar, LandsInTheDatabaseAsItsLastBarWithEveryField) {
  FakeMachine m;
  m.dirs = {"C:\\"};
  m.windows = "C:\\windows";
  m.files = {"C:\\windows\\notepad.exe"};
  CDB db;
  db.AddBar("mine");
  AddSampleBar(db, m);
  ASSERT_EQ(db.BarCount(), 2);
  const CBar& bar = *db.Bar(1);
  EXPECT_EQ(bar.Name, kSampleBarName);
  ASSERT_EQ(bar.Count(), 5);  // C:\, separator, Notepad, separator, Google
  EXPECT_EQ(bar.At(1)->IsSeparator, 1);
  const CD& notepad = *bar.At(2);
  EXPECT_EQ(notepad.Name, "Notepad");
  EXPECT_EQ(notepad.Target, "C:\\windows\\notepad.exe");
  EXPECT_EQ(notepad.IconFile, notepad.Target);
  EXPECT_EQ(notepad.Kind, 0);
  EXPECT_EQ(notepad.ShowCmd, 1);
  EXPECT_EQ(bar.At(4)->Kind, 2);
  EXPECT_EQ(bar.At(4)->CommandId, ButtonCommandId(1, 4));
}

// A shortcut as the shell writes one: header, item list, link information
// (local base path and suffix), then the name and working folder strings.
struct LinkCase {
  std::string base, suffix, folder;
  uint32_t flags;  // 0x01 item list, 0x02 link information, 0x04 name, 0x10 folder, 0x80 wide
  ShortcutMatch expected;
};

std::string LinkBytes(const LinkCase& c) {
  std::string out;
  PutU32(out, 0x4C);
  out += std::string("\x01\x14\x02\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16);
  PutU32(out, c.flags);
  out.resize(0x4C, '\0');
  if (c.flags & 0x01) PutU16(out, 4), out += std::string("ab\0\0", 4);
  const uint32_t local = 0x1C + 0x10, suffix = local + c.base.size() + 1;
  for (uint32_t v : {uint32_t(suffix + c.suffix.size() + 1), 0x1Cu, 1u, 0x1Cu, local, 0u, suffix}) PutU32(out, v);
  out += std::string(0x10, '\0') + c.base + '\0' + c.suffix + '\0';
  for (const auto& [flag, text] : {std::pair<uint32_t, std::string>{0x04, "Orvantis"}, {0x10, c.folder}}) {
    if (!(c.flags & flag)) continue;
    PutU16(out, static_cast<uint16_t>(text.size()));
    for (char ch : text) (c.flags & 0x80) ? PutU16(out, static_cast<unsigned char>(ch)) : out.push_back(ch);
  }
  return out;
}

class StartupShortcutBytes : public testing::TestWithParam<LinkCase> {};

TEST_P(StartupShortcutBytes, TellWhetherTheyStartTheProgramOrAskTheShell) {
  const std::string bytes = LinkBytes(GetParam());
  EXPECT_EQ(MatchShortcut(bytes, "C:\\Q\\Orvantis.exe", "C:\\Q"), GetParam().expected);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut)  // a cut-off file is never taken for the program's
    EXPECT_EQ(MatchShortcut(bytes.substr(0, cut), "C:\\Q\\Orvantis.exe", "C:\\Q"), ShortcutMatch::kUnknown) << cut;
}

using M = ShortcutMatch;
INSTANTIATE_TEST_SUITE_P(Rows, StartupShortcutBytes, testing::Values(
    LinkCase{"C:\\Q\\Orvantis.exe", "", "C:\\Q", 0x97, M::kStarts},
    LinkCase{"c:\\q\\", "ORVANTIS.EXE", "c:\\q", 0x16, M::kStarts},
    LinkCase{"C:\\Q\\Orvantis.exe", "", std::string("C:\\Q\0", 5), 0x93, M::kStarts},  // the NUL counted
    LinkCase{"C:\\Q\\Other.exe", "", "C:\\Q", 0x97, M::kDiffers},
    LinkCase{"C:\\Q\\Orvantis.exe", "", "C:\\windows", 0x97, M::kDiffers},
    LinkCase{"C:\\Q\\Orvantis.exe", "", "", 0x87, M::kDiffers},
    LinkCase{"C:\\Q\\Orvantis.exe", "", "C:\\Q", 0x95, M::kUnknown},
    LinkCase{"C:\\\xC9\\Orvantis.exe", "", "C:\\Q", 0x17, M::kUnknown},
    LinkCase{"C:\\Q\\Orvantis.exe", "", "C:\\\xC9", 0x97, M::kUnknown}));

// A second start asks every 100 ms for up to 1 s: the attempt (from 0) at
// which the running copy hears, and the one at which it is found ended.
struct HandOverCase {
  int heardAt, endedAt;
  HandOverEnd expected;
  int attempts;
};

class SecondStart : public testing::TestWithParam<HandOverCase> {};

TEST_P(SecondStart, EndsWhenHeardRunsWhenTheCopyEndedGivesUpOtherwise) {
  const HandOverCase c = GetParam();
  int attempt = 0;
  uint32_t now = 0xFFFFFF00u;  // across the clock's wrap
  HandOverSteps steps;
  steps.tell = [&] { return attempt == c.heardAt; };
  steps.takeOver = [&] { return attempt++ == c.endedAt; };
  steps.milliseconds = [&] { return now; };
  steps.wait = [&](int ms) { now += static_cast<uint32_t>(ms); };
  EXPECT_EQ(HandOver(steps, 1000, 100), c.expected);
  EXPECT_EQ(attempt, c.attempts);
}

INSTANTIATE_TEST_SUITE_P(Rows, SecondStart, testing::Values(
    HandOverCase{0, -1, HandOverEnd::kHeard, 0},      // the bar answers at once: nothing is taken over
    HandOverCase{4, 2, HandOverEnd::kRunHere, 3},     // the copy ended before its bar could answer
    HandOverCase{-1, -1, HandOverEnd::kGaveUp, 11},   // neither, within the patience
    HandOverCase{-1, 10, HandOverEnd::kRunHere, 11})); // ended at the last moment

}  // namespace
