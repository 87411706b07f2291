// The settings record against "options.ini", on every profile implementation
// the tree has: the file-backed copy everywhere, and the real profile functions
// too under Wine, which must give the same files and the same records.
// Each case writes its own file: the real functions cache a file they have
// read and may miss a rewrite made within the same clock tick.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <type_traits>
#include <vector>

#include "core/settings.h"
#include "support/profile_kinds.h"
#include "support/scratch_folder.h"

namespace {

std::string FaceName(const Settings& s) { return s.Font.FaceName; }

void SetFaceName(Settings& s, const std::string& name) {
  std::memset(s.Font.FaceName, 0, sizeof s.Font.FaceName);
  std::memcpy(s.Font.FaceName, name.data(), std::min(name.size(), sizeof s.Font.FaceName - 1));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class SettingsFileTest : public ::testing::TestWithParam<ProfileKind> {
 protected:
  std::unique_ptr<Profile> ProfileOver(const std::string& path) { return GetParam().make(path); }

  ScratchFolder folder_;
  std::string path_ = folder_.File("options.ini");
  std::unique_ptr<Profile> profile_ = ProfileOver(path_);
};

TEST_P(SettingsFileTest, FirstSaveWritesEveryKeyInOrder) {
  Settings s;
  SetFaceName(s, "Arial");
  s.Save(*profile_, nullptr, 2);
  EXPECT_EQ(ReadBytes(path_),
            "[view]\r\nAutoHide=0\r\nAlwaysOnTop=0\r\nEdge=1\r\nLargeIcon=0\r\nFlatButtons=0\r\n"
            "ColorBk=0\r\nColorText=16711680\r\nColorClockBk=65535\r\n"
            "[prog]\r\nStartWindows=1\r\nAskAutoStart=1\r\nSmoothly=1\r\nCurrentBar=2\r\nLogo=1\r\n"
            "LastAdd=1\r\nSplash=1\r\nUseToolTips=1\r\nSysTrayIcon=1\r\n"
            "[clock]\r\nShowBlock=1\r\nShowCal=1\r\nShowClock=1\r\nPosLeft=1\r\nOneLine=0\r\n"
            "CalType=0\r\nCalSepType=0\r\nDayOfWeek=1\r\nShowYear=1\r\nClockSepType=0\r\nType12h=0\r\n"
            "Sec=1\r\nFont_Height=-12\r\nFont_Width=0\r\nFont_Escapement=0\r\nFont_Orientation=0\r\n"
            "Font_Weight=700\r\nFont_Italic=0\r\nFont_Underline=0\r\nFont_StrikeOut=0\r\n"
            "Font_CharSet=204\r\nFont_OutPrecision=3\r\nFont_ClipPrecision=2\r\nFont_Quality=1\r\n"
            "Font_PitchAndFamily=Arial\r\nFontSize=0\r\n");
}

// Every key Save writes must be read back by Load under the same name: a file
// with 7 everywhere (the edge, which has only four, 2) loads and saves back to itself.
TEST_P(SettingsFileTest, EveryWrittenKeyIsReadBack) {
  Settings{}.Save(*profile_, nullptr, 0);
  const std::string sevens = std::regex_replace(
      std::regex_replace(ReadBytes(path_), std::regex("=[^\r]*"), "=7"), std::regex("\nEdge=7"), "\nEdge=2");
  const std::string sevensPath = folder_.File("sevens.ini");
  ASSERT_TRUE(WriteBytes(sevensPath, "[view]\r\nFloating=7\r\n" + sevens.substr(sizeof "[view]\r\n" - 1)));
  const std::string original = ReadBytes(sevensPath);

  auto profile = ProfileOver(sevensPath);
  Settings loaded;
  loaded.Load(*profile);
  EXPECT_EQ(loaded.Floating, 7);
  EXPECT_EQ(loaded.Font.PitchAndFamily, 7);
  EXPECT_EQ(FaceName(loaded), "7");
  loaded.Save(*profile, nullptr, 7);
  EXPECT_EQ(ReadBytes(sevensPath), original);
}

// Without a file every field takes its loaded default, whatever it held: a
// field the loader forgets keeps the filler and shows here.
TEST_P(SettingsFileTest, MissingFileGivesEveryDefault) {
  static_assert(std::is_trivially_copyable_v<Settings>);
  Settings loaded;
  std::memset(static_cast<void*>(&loaded), 0x5A, sizeof loaded);
  loaded.Load(*ProfileOver(folder_.File("none.ini")));
  EXPECT_EQ(loaded, Settings{});
  EXPECT_EQ(loaded.Floating, 0);
  EXPECT_EQ(loaded.Edge, 1);
  EXPECT_EQ(loaded.ColorText, 0xFF0000);
  EXPECT_EQ(loaded.ColorClockBk, 0xFFFF);
  EXPECT_EQ(loaded.Font.Height, -12);
  EXPECT_EQ(loaded.Font.Weight, 700);
  EXPECT_EQ(loaded.Font.CharSet, 204);
  EXPECT_EQ(FaceName(loaded), "");
}

TEST_P(SettingsFileTest, FaceNameSharesThePitchAndFamilyKey) {
  Settings s;
  s.Font.PitchAndFamily = 34;
  SetFaceName(s, "Arial");
  s.Save(*profile_, nullptr, 0);
  const std::string file = ReadBytes(path_);
  EXPECT_EQ(Count(file, "Font_PitchAndFamily="), 1u);
  EXPECT_NE(file.find("\r\nFont_PitchAndFamily=Arial\r\nFontSize=0\r\n"), std::string::npos);

  Settings loaded;
  loaded.Load(*profile_);
  EXPECT_EQ(loaded.Font.PitchAndFamily, 0);
  EXPECT_EQ(FaceName(loaded), "Arial");
}

// A user who never turns the extras on keeps a file of the three sections;
// one who turns them on and off again gets them written as off.
TEST_P(SettingsFileTest, ExtrasAreWrittenOnceTurnedOn) {
  Settings s;
  s.Save(*profile_, nullptr, 0);
  EXPECT_EQ(Count(ReadBytes(path_), "[extras]"), 0u);
  s.SwitchToRunning = 1;
  s.Save(*profile_, nullptr, 0);
  EXPECT_NE(ReadBytes(path_).find("[extras]\r\nSwitchToRunning=1\r\n"), std::string::npos);
  EXPECT_EQ(Count(ReadBytes(path_), "HotKey"), 0u);
  s.SwitchToRunning = 0;
  s.HotKey = 0x0631;
  s.Save(*profile_, nullptr, 0);
  EXPECT_NE(ReadBytes(path_).find("[extras]\r\nSwitchToRunning=0\r\nHotKey=1585\r\n"), std::string::npos);
  EXPECT_EQ(Count(ReadBytes(path_), "Monitor"), 0u);
  SetChosenMonitor(s, {"\\\\.\\DISPLAY2", {-1024, 0, 0, 768}});
  s.Save(*profile_, nullptr, 0);
  EXPECT_NE(ReadBytes(path_).find("Monitor=\\\\.\\DISPLAY2\r\nMonitorLeft=-1024\r\nMonitorBottom=768\r\n"),
            std::string::npos);
  Settings loaded;
  loaded.Load(*ProfileOver(path_));
  EXPECT_EQ(loaded, s);
  EXPECT_EQ(ChosenMonitor(loaded), (MonitorChoice{"\\\\.\\DISPLAY2", {-1024, 0, 0, 768}}));
}

TEST_P(SettingsFileTest, SaveTakesLiveValuesAndDisplayedBar) {
  Settings s;
  s.Floating = 0;
  const LiveViewValues live{1, 1, 3};
  ASSERT_TRUE(WriteBytes(path_, "[view]\r\nFloating=1\r\n"));
  s.Save(*profile_, &live, 4);
  s.Save(*profile_, &live, 4);  // a second save must not add keys
  EXPECT_EQ(s.CurrentBar, 4);
  EXPECT_EQ(s.Edge, 1);  // the live copies are not written into the record

  const std::string file = ReadBytes(path_);
  EXPECT_EQ(file.rfind("[view]\r\nFloating=1\r\nAutoHide=1\r\nAlwaysOnTop=1\r\nEdge=3\r\n", 0), 0u);
  EXPECT_EQ(Count(file, "ShowYear"), 1u);
  Settings loaded;
  loaded.Load(*profile_);
  EXPECT_EQ(loaded.CurrentBar, 4);
  EXPECT_EQ(loaded.Floating, 1);
}

// Only loading falls back: whatever the record holds is written as it is.
TEST_P(SettingsFileTest, SaveWritesFarOutValuesUnchanged) {
  Settings s;
  s.Font.Height = -100000;
  s.ColorText = -1;
  s.Save(*profile_, nullptr, -1);
  const std::string file = ReadBytes(path_);
  EXPECT_NE(file.find("\r\nFont_Height=-100000\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nColorText=-1\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCurrentBar=-1\r\n"), std::string::npos);
}

TEST_P(SettingsFileTest, BytesAreWrittenUnsignedAndReadAsLowEightBits) {
  Settings s;
  s.Font.Italic = 255;
  s.Save(*profile_, nullptr, 0);
  EXPECT_NE(ReadBytes(path_).find("Font_Italic=255\r\n"), std::string::npos);

  int index = 0;
  for (const auto& [stored, expected] : std::initializer_list<std::pair<const char*, uint8_t>>{
           {"460", 204}, {"-1", 255}, {"256", 0}, {"0x1FF", 255}, {"abc", 0}, {"", 204}}) {
    SCOPED_TRACE(stored);
    const std::string path = folder_.File("byte" + std::to_string(index++) + ".ini");
    ASSERT_TRUE(WriteBytes(path, std::string("[clock]\r\nFont_CharSet=") + stored + "\r\n"));
    Settings loaded;
    loaded.Load(*ProfileOver(path));
    EXPECT_EQ(loaded.Font.CharSet, expected);
  }
}

// Hand-written files: odd layout, junk values and the platform's quirks. Each
// row gives the whole record the file must load to.
struct HandWrittenFile {
  const char* name;
  std::string content;
  std::function<void(Settings&)> expected;  // applied to the defaults
};

std::vector<HandWrittenFile> HandWrittenFiles() {
  return {
      {"empty", "", [](Settings&) {}},
      {"blank lines, a note, spaces and quotes",
       "[view]\nFloating=1\nEdge=3\n\n; a note\n[prog]\nCurrentBar = 2 \nLastAdd=\"5\"\n",
       [](Settings& s) {
         s.Floating = 1;
         s.Edge = 3;
         s.CurrentBar = 2;
         s.LastAdd = 5;
       }},
      {"names in any case, junk numbers, only the first of two equal sections",
       "[CLOCK]\nShowYear=0\nShowClock=abc\nSec=\"0\"\nFont_PitchAndFamily=12 Sans\n"
       "[view]\nEdge= 2x\nColorText=\n[prog]\nCurrentBar=3\n[clock]\nCalType=4",
       [](Settings& s) {
         s.ShowYear = 0;  // a key without the trailing blank is the same key
         s.ShowClock = 0;
         s.Sec = 0;
         s.Font.PitchAndFamily = 12;
         SetFaceName(s, "12 Sans");
         s.Edge = 2;
         s.CurrentBar = 3;
       }},
      {"indented section, byte and number wrap, hexadecimal",
       "  [CLOCK]  \r\n\r\nshowyear=0\r\nSec=abc\r\nFont_CharSet=460\r\nFont_Height= -20x\r\n"
       "Font_PitchAndFamily=Courier New\r\n[view]\r\nColorBk=0x00FF00\r\n[prog]\r\nLastAdd=4294967295",
       [](Settings& s) {
         s.ShowYear = 0;
         s.Sec = 0;
         s.Font.CharSet = 460 & 0xFF;
         s.Font.Height = -20;
         SetFaceName(s, "Courier New");
         s.Font.PitchAndFamily = 0;
         s.ColorBk = 0xFF00;
         s.LastAdd = -1;
       }},
      {"utf-8 mark, quoted face, overlong number, keys without values",
       "\xEF\xBB\xBF[clock]\r\nFont_PitchAndFamily='12 Sans'\r\nType12h=99999999999\r\n"
       "[clock]\r\nSec=0\r\n[view]\r\nAutoHide\r\nAlwaysOnTop=\r\n",
       [](Settings& s) {
         s.Font.PitchAndFamily = 12;
         SetFaceName(s, "12 Sans");
         s.Type12h = 1215752191;
       }},
      {"face name longer than the record holds",
       "[clock]\r\nFont_PitchAndFamily=AVeryLongFaceNameThatDoesNotFitInto32\r\nFontSize=11",
       [](Settings& s) {
         SetFaceName(s, "AVeryLongFaceNameThatDoesNotFit");
         s.FontSize = 11;
       }},
      {"a key first without '=', later ones, comments, blanks and quotes",
       "[view]\r\nEdge\r\nEdge=2\r\nAutoHide=1\r\nautohide=0\r\n;AlwaysOnTop=1\r\n"
       "\tLargeIcon\t=\t1\t\r\n# FlatButtons=1\r\n[prog]\r\n; Logo=0\r\nSplash=\r\nCurrentBar='4'\r\n"
       "[clock]\r\nFont_PitchAndFamily=\"  Lucida Console  \"\r\n",
       [](Settings& s) {
         s.AutoHide = 1;
         s.LargeIcon = 1;
         s.CurrentBar = 4;
         SetFaceName(s, "  Lucida Console  ");
       }},
      {"blanks around section names, a second section of a name, a long section, letters beyond ASCII",
       "[ clock\t]\r\nShowCal=0\r\nNote=" + std::string(9000, 'n') + "\r\nSec=0\r\n[Clock]\r\nShowClock=0\r\n"
       "[view]\r\n\xC5utoHide=1\r\nEdg\xC9=0\r\nEdge=2\r\n[prog]\r\nLogo=0\x1a\r\n",
       [](Settings& s) {
         s.ShowCal = 0;
         s.Sec = 0;
         s.Edge = 2;
         s.Logo = 0;
       }},
      {"face name of 40 letters", "[clock]\r\nFont_PitchAndFamily=" + std::string(40, 'F') + "\r\n",
       [](Settings& s) { SetFaceName(s, std::string(31, 'F')); }},
      // Numbers the program could never have written load as their defaults,
      // so a careless edit still gives a readable bar.
      {"far-out numbers",
       "[view]\r\nEdge=4\r\nColorBk=16777216\r\nColorText=-1\r\nColorClockBk=0x7F000000\r\n"
       "[prog]\r\nCurrentBar=-1\r\n"
       "[clock]\r\nCalType=-2\r\nCalSepType=-1\r\nClockSepType=-2147483648\r\nFont_Height=-100000\r\n"
       "Font_Width=201\r\nFont_Escapement=3601\r\nFont_Orientation=-3601\r\nFont_Weight=1001\r\n"
       "FontSize=-12\r\n",
       [](Settings&) {}},
      // The extra features stay off unless the file says plainly "on".
      {"extras on", "[extras]\r\nSwitchToRunning=1\r\nHotKey=1589\r\n",
       [](Settings& s) {
         s.SwitchToRunning = 1;
         s.HotKey = 1589;
       }},
      {"extras damaged", "[extras]\r\nSwitchToRunning=yes\r\nHotKey=65536\r\n", [](Settings&) {}},
      {"extras out of range", "[extras]\r\nSwitchToRunning=2\r\nHotKey=-5\r\n", [](Settings&) {}},
      {"numbers at the ends of what the program writes",
       "[view]\r\nEdge=3\r\nColorBk=16777215\r\nColorText=0\r\n[prog]\r\nCurrentBar=2147483647\r\n"
       "[clock]\r\nCalType=9\r\nFont_Height=-200\r\nFont_Width=200\r\nFont_Escapement=3600\r\n"
       "Font_Orientation=-3600\r\nFont_Weight=1000\r\nFontSize=1638\r\n",
       [](Settings& s) {
         s.Edge = 3;
         s.ColorBk = 0xFFFFFF;
         s.ColorText = 0;
         s.CurrentBar = 2147483647;
         s.CalType = 9;  // the clock's own formatting knows what to do with it
         s.Font.Height = -200;
         s.Font.Width = 200;
         s.Font.Escapement = 3600;
         s.Font.Orientation = -3600;
         s.Font.Weight = 1000;
         s.FontSize = 1638;
       }},
  };
}

TEST_P(SettingsFileTest, LoadsHandWrittenFiles) {
  int index = 0;
  for (const HandWrittenFile& file : HandWrittenFiles()) {
    SCOPED_TRACE(file.name);
    const std::string path = folder_.File("hand" + std::to_string(index++) + ".ini");
    ASSERT_TRUE(WriteBytes(path, file.content));
    Settings expected;
    file.expected(expected);
    Settings loaded;
    loaded.Load(*ProfileOver(path));
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(FaceName(loaded), FaceName(expected));
    EXPECT_EQ(loaded.Font.FaceName[sizeof loaded.Font.FaceName - 1], '\0');
  }
}

INSTANTIATE_TEST_SUITE_P(, SettingsFileTest, ::testing::ValuesIn(ProfileKindsUnderTest()),
                         [](const auto& info) { return info.param.name; });

// Saving into the hand-written files, where the layout left behind is the
// platform's to decide: every implementation must leave the same bytes as the
// first (the real functions, where there are several, against the copy).
TEST(SettingsSaveAgreementTest, EveryProfileLeavesTheSameBytes) {
  const std::vector<ProfileKind> kinds = ProfileKindsUnderTest();
  if (kinds.size() < 2) GTEST_SKIP() << "only one profile implementation in this tree";
  Settings sample;
  sample.AutoHide = 1;
  sample.ColorBk = 0xC0C0C0;
  sample.ColorText = 0;
  sample.FlatButtons = 1;
  sample.Font.Height = -16;
  sample.Font.Italic = 255;
  sample.Font.PitchAndFamily = 49;
  SetFaceName(sample, "Courier New");
  const LiveViewValues live{0, 1, 2};

  ScratchFolder folder;
  int index = 0;
  for (const HandWrittenFile& file : HandWrittenFiles()) {
    SCOPED_TRACE(file.name);
    std::vector<std::string> first, second;  // the file after each save, per kind
    for (const ProfileKind& kind : kinds) {
      const std::string path = folder.File(kind.name + std::to_string(index) + ".ini");
      if (index > 0) {  // the first round starts without any file
        ASSERT_TRUE(WriteBytes(path, file.content));
      }
      auto profile = kind.make(path);
      Settings s = sample;
      s.Save(*profile, nullptr, 3);
      first.push_back(ReadBytes(path));
      s.Save(*profile, &live, 1);
      second.push_back(ReadBytes(path));
    }
    for (size_t k = 1; k < kinds.size(); ++k) {
      SCOPED_TRACE(kinds[k].name);
      EXPECT_EQ(first[k], first[0]);
      EXPECT_EQ(second[k], second[0]);
    }
    ++index;
  }
}

}  // namespace
