// The settings record through the real profile functions and through the
// file-backed copy must give the same files and the same records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/settings.h"
#include "platform/ini_profile.h"
#include "platform/profile_win.h"
#include "shared/platform/profile_test_support.h"

namespace {

// Hand-written files: odd layout, junk values and the platform's quirks.
const char* const kHandWrittenFiles[] = {
    "",
    "[view]\nFloating=1\nEdge=3\n\n; a note\n[prog]\nCurrentBar = 2 \nLastAdd=\"5\"\n",
    "  [CLOCK]  \r\n\r\nshowyear=0\r\nSec=abc\r\nFont_CharSet=460\r\nFont_Height= -20x\r\n"
    "Font_PitchAndFamily=Courier New\r\n[view]\r\nColorBk=0x00FF00\r\nColorText=4294967295",
    "\xEF\xBB\xBF[clock]\r\nFont_PitchAndFamily='12 Sans'\r\nFont_Weight=99999999999\r\n"
    "[clock]\r\nSec=0\r\n[view]\r\nAutoHide\r\nAlwaysOnTop=\r\n",
    "[clock]\r\nFont_PitchAndFamily=AVeryLongFaceNameThatDoesNotFitInto32\r\nFontSize=11",
};

Settings SampleRecord() {
  Settings s;
  s.AutoHide = 1;
  s.ColorBk = 0xC0C0C0;
  s.ColorText = 0;
  s.FlatButtons = 1;
  s.Font.Height = -16;
  s.Font.Italic = 255;
  s.Font.PitchAndFamily = 49;
  std::strcpy(s.Font.FaceName, "Courier New");
  return s;
}

class SettingsCrossCheckTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
};

TEST_F(SettingsCrossCheckTest, SaveWritesTheSameBytes) {
  const LiveViewValues live{0, 1, 2};
  int index = 0;
  for (const char* initial : kHandWrittenFiles) {
    SCOPED_TRACE(initial);
    const std::string viaWindows = folder_.File("win" + std::to_string(index) + ".ini");
    const std::string viaCopy = folder_.File("ini" + std::to_string(index) + ".ini");
    if (index++ > 0) {  // the first round starts without any file
      WriteBytes(viaWindows, initial);
      WriteBytes(viaCopy, initial);
    }
    WinProfile windows(viaWindows);
    IniFileProfile copy(viaCopy);
    Settings a = SampleRecord(), b = SampleRecord();
    a.Save(windows, nullptr, 3);
    b.Save(copy, nullptr, 3);
    EXPECT_EQ(ReadBytes(viaWindows), ReadBytes(viaCopy));
    a.Save(windows, &live, 1);
    b.Save(copy, &live, 1);
    EXPECT_EQ(ReadBytes(viaWindows), ReadBytes(viaCopy));
  }
}

TEST_F(SettingsCrossCheckTest, LoadReadsTheSameRecord) {
  int index = 0;
  for (const char* content : kHandWrittenFiles) {
    SCOPED_TRACE(content);
    const std::string path = folder_.File("load" + std::to_string(index++) + ".ini");
    WriteBytes(path, content);
    WinProfile windows(path);
    IniFileProfile copy(path);
    Settings a, b;
    a.Load(windows);
    b.Load(copy);
    EXPECT_TRUE(a == b);
    EXPECT_STREQ(a.Font.FaceName, b.Font.FaceName);
  }
}

}  // namespace
