#include "app/settings.h"

#include <algorithm>
#include <cstring>

#include "platform/profile.h"

namespace {

// Byte fields keep the low 8 bits of whatever the file holds.
uint8_t ReadByte(Profile& profile, const char* section, const char* key, uint8_t def) {
  return static_cast<uint8_t>(profile.GetInt(section, key, def) & 0xFF);
}

void ReadFaceName(Profile& profile, const char* section, const char* key, char (&face)[32]) {
  const std::string text = profile.GetString(section, key, "");
  const size_t length = std::min(text.size(), sizeof face - 1);
  std::memset(face, 0, sizeof face);
  std::memcpy(face, text.data(), length);
}

std::string FaceNameText(const char (&face)[32]) {
  return std::string(face, strnlen(face, sizeof face));
}

}  // namespace

void Settings::Load(Profile& p) {
  Floating = p.GetInt(kView, "Floating", 0);
  AutoHide = p.GetInt(kView, "AutoHide", 0);
  AlwaysOnTop = p.GetInt(kView, "AlwaysOnTop", 0);
  Edge = p.GetInt(kView, "Edge", 1);
  ColorBk = p.GetInt(kView, "ColorBk", 0);
  ColorText = p.GetInt(kView, "ColorText", 0xFF0000);
  ColorClockBk = p.GetInt(kView, "ColorClockBk", 0xFFFF);
  LargeIcon = p.GetInt(kView, "LargeIcon", 0);
  FlatButtons = p.GetInt(kView, "FlatButtons", 0);

  StartWindows = p.GetInt(kProg, "StartWindows", 1);
  Smoothly = p.GetInt(kProg, "Smoothly", 1);
  CurrentBar = p.GetInt(kProg, "CurrentBar", 0);
  Logo = p.GetInt(kProg, "Logo", 1);
  Splash = p.GetInt(kProg, "Splash", 1);
  LastAdd = p.GetInt(kProg, "LastAdd", 1);
  AskAutoStart = p.GetInt(kProg, "AskAutoStart", 1);
  UseToolTips = p.GetInt(kProg, "UseToolTips", 1);
  SysTrayIcon = p.GetInt(kProg, "SysTrayIcon", 1);

  ShowBlock = p.GetInt(kClock, "ShowBlock", 1);
  ShowCal = p.GetInt(kClock, "ShowCal", 1);
  ShowClock = p.GetInt(kClock, "ShowClock", 1);
  PosLeft = p.GetInt(kClock, "PosLeft", 1);
  OneLine = p.GetInt(kClock, "OneLine", 0);
  CalType = p.GetInt(kClock, "CalType", 0);
  CalSepType = p.GetInt(kClock, "CalSepType", 0);
  DayOfWeek = p.GetInt(kClock, "DayOfWeek", 1);
  ShowYear = p.GetInt(kClock, "ShowYear ", 1);
  Sec = p.GetInt(kClock, "Sec", 1);
  Type12h = p.GetInt(kClock, "Type12h", 0);
  ClockSepType = p.GetInt(kClock, "ClockSepType", 0);
  Font.Height = p.GetInt(kClock, "Font_Height", -12);
  Font.Width = p.GetInt(kClock, "Font_Width", 0);
  Font.Escapement = p.GetInt(kClock, "Font_Escapement", 0);
  Font.Orientation = p.GetInt(kClock, "Font_Orientation", 0);
  Font.Weight = p.GetInt(kClock, "Font_Weight", 700);
  Font.Italic = ReadByte(p, kClock, "Font_Italic", 0);
  Font.Underline = ReadByte(p, kClock, "Font_Underline", 0);
  Font.StrikeOut = ReadByte(p, kClock, "Font_StrikeOut", 0);
  Font.CharSet = ReadByte(p, kClock, "Font_CharSet", 204);
  Font.OutPrecision = ReadByte(p, kClock, "Font_OutPrecision", 3);
  Font.ClipPrecision = ReadByte(p, kClock, "Font_ClipPrecision", 2);
  Font.Quality = ReadByte(p, kClock, "Font_Quality", 1);
  Font.PitchAndFamily = ReadByte(p, kClock, "Font_PitchAndFamily", 0);
  FontSize = p.GetInt(kClock, "FontSize", 0);
  // The face name shares its key with the pitch-and-family byte; files the
  // program wrote hold the name there.
  ReadFaceName(p, kClock, "Font_PitchAndFamily", Font.FaceName);
}

void Settings::Save(Profile& p, const LiveViewValues* live, int32_t displayedBar) {
  p.WriteInt(kView, "AutoHide", live ? live->AutoHide : AutoHide);
  p.WriteInt(kView, "AlwaysOnTop", live ? live->AlwaysOnTop : AlwaysOnTop);
  p.WriteInt(kView, "Edge", live ? live->Edge : Edge);
  p.WriteInt(kView, "LargeIcon", LargeIcon);
  p.WriteInt(kView, "FlatButtons", FlatButtons);
  p.WriteInt(kView, "ColorBk", ColorBk);
  p.WriteInt(kView, "ColorText", ColorText);
  p.WriteInt(kView, "ColorClockBk", ColorClockBk);

  p.WriteInt(kProg, "StartWindows", StartWindows);
  p.WriteInt(kProg, "AskAutoStart", AskAutoStart);
  p.WriteInt(kProg, "Smoothly", Smoothly);
  CurrentBar = displayedBar;
  p.WriteInt(kProg, "CurrentBar", CurrentBar);
  p.WriteInt(kProg, "Logo", Logo);
  p.WriteInt(kProg, "LastAdd", LastAdd);
  p.WriteInt(kProg, "Splash", Splash);
  p.WriteInt(kProg, "UseToolTips", UseToolTips);
  p.WriteInt(kProg, "SysTrayIcon", SysTrayIcon);

  p.WriteInt(kClock, "ShowBlock", ShowBlock);
  p.WriteInt(kClock, "ShowCal", ShowCal);
  p.WriteInt(kClock, "ShowClock", ShowClock);
  p.WriteInt(kClock, "PosLeft", PosLeft);
  p.WriteInt(kClock, "OneLine", OneLine);
  p.WriteInt(kClock, "CalType", CalType);
  p.WriteInt(kClock, "CalSepType", CalSepType);
  p.WriteInt(kClock, "DayOfWeek", DayOfWeek);
  p.WriteInt(kClock, "ShowYear ", ShowYear);
  p.WriteInt(kClock, "ClockSepType", ClockSepType);
  p.WriteInt(kClock, "Type12h", Type12h);
  p.WriteInt(kClock, "Sec", Sec);
  p.WriteInt(kClock, "Font_Height", Font.Height);
  p.WriteInt(kClock, "Font_Width", Font.Width);
  p.WriteInt(kClock, "Font_Escapement", Font.Escapement);
  p.WriteInt(kClock, "Font_Orientation", Font.Orientation);
  p.WriteInt(kClock, "Font_Weight", Font.Weight);
  p.WriteInt(kClock, "Font_Italic", Font.Italic);
  p.WriteInt(kClock, "Font_Underline", Font.Underline);
  p.WriteInt(kClock, "Font_StrikeOut", Font.StrikeOut);
  p.WriteInt(kClock, "Font_CharSet", Font.CharSet);
  p.WriteInt(kClock, "Font_OutPrecision", Font.OutPrecision);
  p.WriteInt(kClock, "Font_ClipPrecision", Font.ClipPrecision);
  p.WriteInt(kClock, "Font_Quality", Font.Quality);
  p.WriteInt(kClock, "Font_PitchAndFamily", Font.PitchAndFamily);
  p.WriteString(kClock, "Font_PitchAndFamily", FaceNameText(Font.FaceName));
  p.WriteInt(kClock, "FontSize", FontSize);
}

Settings& TheSettings() {
  static Settings settings;
  return settings;
}
