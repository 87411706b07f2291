#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "app/settings.h"
#include "platform/ini_profile.h"
#include "shared/platform/profile_test_support.h"

namespace {

std::string FaceName(const Settings& s) { return s.Font.FaceName; }

void SetFaceName(Settings& s, const char* name) {
  std::memset(s.Font.FaceName, 0, sizeof s.Font.FaceName);
  std::strncpy(s.Font.FaceName, name, sizeof s.Font.FaceName - 1);
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  std::string path_ = folder_.File("options.ini");
  IniFileProfile profile_{path_};
};

TEST_F(SettingsFileTest, FirstSaveWritesEveryKeyInOrder) {
  Settings s;
  SetFaceName(s, "Arial");
  s.Save(profile_, nullptr, 2);
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
// with 7 everywhere loads and saves back to itself.
TEST_F(SettingsFileTest, EveryWrittenKeyIsReadBack) {
  Settings{}.Save(profile_, nullptr, 0);
  const std::string sevens =
      std::regex_replace(ReadBytes(path_), std::regex("=[^\r]*"), "=7");
  WriteBytes(path_, "[view]\r\nFloating=7\r\n" + sevens.substr(sizeof "[view]\r\n" - 1));
  const std::string original = ReadBytes(path_);

  Settings loaded;
  loaded.Load(profile_);
  EXPECT_EQ(loaded.Floating, 7);
  EXPECT_EQ(loaded.Font.PitchAndFamily, 7);
  EXPECT_EQ(FaceName(loaded), "7");
  loaded.Save(profile_, nullptr, 7);
  EXPECT_EQ(ReadBytes(path_), original);

  // And without a file every field returns to its loaded default.
  IniFileProfile missing(path_ + ".none");
  loaded.Load(missing);
  EXPECT_EQ(loaded, Settings{});
  EXPECT_EQ(loaded.Edge, 1);
  EXPECT_EQ(loaded.ColorText, 0xFF0000);
  EXPECT_EQ(loaded.ColorClockBk, 0xFFFF);
  EXPECT_EQ(loaded.Font.Height, -12);
  EXPECT_EQ(loaded.Font.Weight, 700);
  EXPECT_EQ(loaded.Font.CharSet, 204);
  EXPECT_EQ(FaceName(loaded), "");
}

TEST_F(SettingsFileTest, FaceNameSharesThePitchAndFamilyKey) {
  Settings s;
  s.Font.PitchAndFamily = 34;
  SetFaceName(s, "Arial");
  s.Save(profile_, nullptr, 0);
  const std::string file = ReadBytes(path_);
  EXPECT_EQ(Count(file, "Font_PitchAndFamily="), 1u);
  EXPECT_NE(file.find("\r\nFont_PitchAndFamily=Arial\r\nFontSize=0\r\n"), std::string::npos);

  Settings loaded;
  loaded.Load(profile_);
  EXPECT_EQ(loaded.Font.PitchAndFamily, 0);
  EXPECT_EQ(FaceName(loaded), "Arial");
}

TEST_F(SettingsFileTest, SaveTakesLiveValuesAndDisplayedBar) {
  Settings s;
  s.Floating = 0;
  const LiveViewValues live{1, 1, 3};
  WriteBytes(path_, "[view]\r\nFloating=1\r\n");
  s.Save(profile_, &live, 4);
  s.Save(profile_, &live, 4);  // a second save must not add keys
  EXPECT_EQ(s.CurrentBar, 4);
  EXPECT_EQ(s.Edge, 1);  // the live copies are not written into the record

  const std::string file = ReadBytes(path_);
  EXPECT_EQ(file.rfind("[view]\r\nFloating=1\r\nAutoHide=1\r\nAlwaysOnTop=1\r\nEdge=3\r\n", 0), 0u);
  EXPECT_EQ(Count(file, "ShowYear"), 1u);
  Settings loaded;
  loaded.Load(profile_);
  EXPECT_EQ(loaded.CurrentBar, 4);
  EXPECT_EQ(loaded.Floating, 1);
}

TEST_F(SettingsFileTest, BytesAreWrittenUnsignedAndReadAsLowEightBits) {
  Settings s;
  s.Font.Italic = 255;
  s.Save(profile_, nullptr, 0);
  EXPECT_NE(ReadBytes(path_).find("Font_Italic=255\r\n"), std::string::npos);

  for (const auto& [stored, expected] : std::initializer_list<std::pair<const char*, uint8_t>>{
           {"460", 204}, {"-1", 255}, {"256", 0}, {"0x1FF", 255}, {"abc", 0}, {"", 204}}) {
    SCOPED_TRACE(stored);
    WriteBytes(path_, std::string("[clock]\r\nFont_CharSet=") + stored + "\r\n");
    Settings loaded;
    loaded.Load(profile_);
    EXPECT_EQ(loaded.Font.CharSet, expected);
  }
}

TEST_F(SettingsFileTest, HandEditedFile) {
  WriteBytes(path_,
             "[CLOCK]\nShowYear=0\nShowClock=abc\nSec=\"0\"\nFont_PitchAndFamily=12 Sans\n"
             "[view]\nEdge= 2x\nColorText=\n[prog]\nCurrentBar=-3\n[clock]\nCalType=4");
  Settings loaded;
  loaded.Load(profile_);
  EXPECT_EQ(loaded.ShowYear, 0);  // a key without the trailing blank is the same key
  EXPECT_EQ(loaded.ShowClock, 0);
  EXPECT_EQ(loaded.Sec, 0);
  EXPECT_EQ(loaded.Font.PitchAndFamily, 12);
  EXPECT_EQ(FaceName(loaded), "12 Sans");
  EXPECT_EQ(loaded.Edge, 2);
  EXPECT_EQ(loaded.ColorText, 0xFF0000);
  EXPECT_EQ(loaded.CurrentBar, -3);
  EXPECT_EQ(loaded.CalType, 0);  // only the first of two equal sections counts

  WriteBytes(path_, "[clock]\r\nFont_PitchAndFamily=" + std::string(40, 'F') + "\r\n");
  loaded.Load(profile_);
  EXPECT_EQ(FaceName(loaded), std::string(31, 'F'));
}

}  // namespace
