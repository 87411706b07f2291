#include "core/settings_table.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kView = Settings::kView;
constexpr const char* kProg = Settings::kProg;
constexpr const char* kClock = Settings::kClock;
constexpr const char* kExtras = Settings::kExtras;
constexpr bool kReadOnly = false;
constexpr bool kWritten = true;
constexpr bool kOnceSet = true;

// What the program writes: colours are 0x00BBGGRR; font weights go up to
// 1000, turns stay within a full circle (tenths of a degree) and the font
// dialog's sizes within 1638 points; list choices and bar numbers are never
// negative. A clock font beyond ±200 pixels fits no bar.
constexpr ValueRange kColour{0, 0xFFFFFF};
constexpr ValueRange kEdge{0, 3};
constexpr ValueRange kIndex{0, INT32_MAX};
constexpr ValueRange kFontExtent{-200, 200};
constexpr ValueRange kFontWeight{0, 1000};
constexpr ValueRange kFontTurn{-3600, 3600};
constexpr ValueRange kPointSize{0, 1638};
// A switch is on or off; a hot key is a key code with modifier bits above it.
constexpr ValueRange kFlag{0, 1};
constexpr ValueRange kHotKey{0, 0xFFFF};

// "Floating" is read but never written: a file only has it when someone put
// it there. The face name shares its key with the pitch-and-family byte and is
// written over it at once, so a file the program made holds the name there.
constexpr SettingKey kTable[] = {
    {kView, "Floating", &Settings::Floating, 0, kAnyValue, kReadOnly},
    {kView, "AutoHide", &Settings::AutoHide, 0},
    {kView, "AlwaysOnTop", &Settings::AlwaysOnTop, 0},
    {kView, "Edge", &Settings::Edge, 1, kEdge},
    {kView, "LargeIcon", &Settings::LargeIcon, 0},
    {kView, "FlatButtons", &Settings::FlatButtons, 0},
    {kView, "ColorBk", &Settings::ColorBk, 0, kColour},
    {kView, "ColorText", &Settings::ColorText, 0xFF0000, kColour},
    {kView, "ColorClockBk", &Settings::ColorClockBk, 0xFFFF, kColour},

    {kProg, "StartWindows", &Settings::StartWindows, 1},
    {kProg, "AskAutoStart", &Settings::AskAutoStart, 1},
    {kProg, "Smoothly", &Settings::Smoothly, 1},
    {kProg, "CurrentBar", &Settings::CurrentBar, 0, kIndex},
    {kProg, "Logo", &Settings::Logo, 1},
    {kProg, "LastAdd", &Settings::LastAdd, 1},
    {kProg, "Splash", &Settings::Splash, 1},
    {kProg, "UseToolTips", &Settings::UseToolTips, 1},
    {kProg, "SysTrayIcon", &Settings::SysTrayIcon, 1},

    {kClock, "ShowBlock", &Settings::ShowBlock, 1},
    {kClock, "ShowCal", &Settings::ShowCal, 1},
    {kClock, "ShowClock", &Settings::ShowClock, 1},
    {kClock, "PosLeft", &Settings::PosLeft, 1},
    {kClock, "OneLine", &Settings::OneLine, 0},
    {kClock, "CalType", &Settings::CalType, 0, kIndex},
    {kClock, "CalSepType", &Settings::CalSepType, 0, kIndex},
    {kClock, "DayOfWeek", &Settings::DayOfWeek, 1},
    {kClock, "ShowYear ", &Settings::ShowYear, 1},
    {kClock, "ClockSepType", &Settings::ClockSepType, 0, kIndex},
    {kClock, "Type12h", &Settings::Type12h, 0},
    {kClock, "Sec", &Settings::Sec, 1},
    {kClock, "Font_Height", &FontRecord::Height, -12, kFontExtent},
    {kClock, "Font_Width", &FontRecord::Width, 0, kFontExtent},
    {kClock, "Font_Escapement", &FontRecord::Escapement, 0, kFontTurn},
    {kClock, "Font_Orientation", &FontRecord::Orientation, 0, kFontTurn},
    {kClock, "Font_Weight", &FontRecord::Weight, 700, kFontWeight},
    {kClock, "Font_Italic", &FontRecord::Italic, 0},
    {kClock, "Font_Underline", &FontRecord::Underline, 0},
    {kClock, "Font_StrikeOut", &FontRecord::StrikeOut, 0},
    {kClock, "Font_CharSet", &FontRecord::CharSet, 204},
    {kClock, "Font_OutPrecision", &FontRecord::OutPrecision, 3},
    {kClock, "Font_ClipPrecision", &FontRecord::ClipPrecision, 2},
    {kClock, "Font_Quality", &FontRecord::Quality, 1},
    {kClock, "Font_PitchAndFamily", &FontRecord::PitchAndFamily, 0},
    {kClock, "Font_PitchAndFamily", FaceNameField{}, 0},
    {kClock, "FontSize", &Settings::FontSize, 0, kPointSize},

    {kExtras, "SwitchToRunning", &Settings::SwitchToRunning, 0, kFlag, kWritten, kOnceSet},
    {kExtras, "HotKey", &Settings::HotKey, 0, kHotKey, kWritten, kOnceSet},
    {kExtras, "Monitor", &Settings::Monitor, 0, kAnyValue, kWritten, kOnceSet},
    {kExtras, "MonitorLeft", &Settings::MonitorLeft, 0, kAnyValue, kWritten, kOnceSet},
    {kExtras, "MonitorTop", &Settings::MonitorTop, 0, kAnyValue, kWritten, kOnceSet},
    {kExtras, "MonitorRight", &Settings::MonitorRight, 0, kAnyValue, kWritten, kOnceSet},
    {kExtras, "MonitorBottom", &Settings::MonitorBottom, 0, kAnyValue, kWritten, kOnceSet},
};

}  // namespace

std::span<const SettingKey> SettingsTable() { return kTable; }

int32_t SettingField::Get(const Settings& settings) const {
  if (auto byte = std::get_if<uint8_t FontRecord::*>(&where_)) return settings.Font.**byte;
  if (auto top = std::get_if<int32_t Settings::*>(&where_)) return settings.**top;
  if (auto font = std::get_if<int32_t FontRecord::*>(&where_)) return settings.Font.**font;
  return 0;
}

void SettingField::Set(Settings& settings, int32_t value) const {
  if (auto byte = std::get_if<uint8_t FontRecord::*>(&where_)) {
    settings.Font.**byte = static_cast<uint8_t>(value & 0xFF);
  } else if (auto top = std::get_if<int32_t Settings::*>(&where_)) {
    settings.**top = value;
  } else if (auto font = std::get_if<int32_t FontRecord::*>(&where_)) {
    settings.Font.**font = value;
  }
}

const char (&SettingField::Text(const Settings& settings) const)[32] {
  if (auto text = std::get_if<char (Settings::*)[32]>(&where_)) return settings.**text;
  return settings.Font.FaceName;
}

std::string SettingField::GetText(const Settings& settings) const {
  const char(&text)[32] = Text(settings);
  return std::string(text, strnlen(text, sizeof text));
}

void SettingField::SetText(Settings& settings, const std::string& text) const {
  auto field = std::get_if<char (Settings::*)[32]>(&where_);
  char(&kept)[32] = field ? settings.**field : settings.Font.FaceName;
  // The face name is a C text inside a LOGFONT, the device name one the
  // system gives: always terminated.
  const size_t length = std::min(text.size(), sizeof kept - 1);
  std::memset(kept, 0, sizeof kept);
  std::memcpy(kept, text.data(), length);
}
