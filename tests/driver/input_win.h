// Mouse and keyboard input as a user makes it: SendInput into the system's queue,
// delivered to whatever window is under the cursor or has the keyboard focus.
#pragma once

#include <windows.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"

namespace qrdriver {

enum class MouseButton { kLeft, kRight, kMiddle };

inline bool SendInputs(std::vector<INPUT>& inputs) {
  if (inputs.empty()) return true;
  return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

inline INPUT MouseInput(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

inline bool MoveMouse(int x, int y) {
  if (!::SetCursorPos(x, y)) return false;
  // Some windows only notice the pointer through a move event of the input queue.
  std::vector<INPUT> move = {MouseInput(MOUSEEVENTF_MOVE)};
  return SendInputs(move);
}

inline bool ClickMouse(int x, int y, MouseButton button, int clicks) {
  if (!MoveMouse(x, y)) return false;
  DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
  if (button == MouseButton::kRight) down = MOUSEEVENTF_RIGHTDOWN, up = MOUSEEVENTF_RIGHTUP;
  if (button == MouseButton::kMiddle) down = MOUSEEVENTF_MIDDLEDOWN, up = MOUSEEVENTF_MIDDLEUP;
  for (int i = 0; i < clicks; ++i) {
    std::vector<INPUT> press = {MouseInput(down), MouseInput(up)};
    if (!SendInputs(press)) return false;
    ::Sleep(30);
  }
  return true;
}

// A key with its modifiers, written like "RETURN", "F4", "CTRL+S", "ALT+F4", "0x41".
struct KeyChord {
  std::vector<WORD> modifiers;
  WORD key = 0;
};

inline std::optional<WORD> KeyByName(std::string name) {
  struct Named {
    const char* name;
    WORD vk;
  };
  static const Named kNames[] = {
      {"BACK", VK_BACK},     {"BACKSPACE", VK_BACK}, {"TAB", VK_TAB},        {"RETURN", VK_RETURN},
      {"ENTER", VK_RETURN},  {"SHIFT", VK_SHIFT},    {"CTRL", VK_CONTROL},   {"CONTROL", VK_CONTROL},
      {"ALT", VK_MENU},      {"MENU", VK_MENU},      {"PAUSE", VK_PAUSE},    {"ESCAPE", VK_ESCAPE},
      {"ESC", VK_ESCAPE},    {"SPACE", VK_SPACE},    {"PRIOR", VK_PRIOR},    {"PGUP", VK_PRIOR},
      {"NEXT", VK_NEXT},     {"PGDN", VK_NEXT},      {"END", VK_END},        {"HOME", VK_HOME},
      {"LEFT", VK_LEFT},     {"UP", VK_UP},          {"RIGHT", VK_RIGHT},    {"DOWN", VK_DOWN},
      {"INSERT", VK_INSERT}, {"DELETE", VK_DELETE},  {"DEL", VK_DELETE},     {"LWIN", VK_LWIN},
      {"RWIN", VK_RWIN},     {"APPS", VK_APPS},      {"SNAPSHOT", VK_SNAPSHOT},
  };
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name.compare(0, 3, "VK_") == 0) name = name.substr(3);
  for (const Named& named : kNames) {
    if (name == named.name) return named.vk;
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) return static_cast<WORD>(name[0]);
  if (name.size() >= 2 && name[0] == 'F') {
    auto number = ParseInteger(name.substr(1));
    if (number && *number >= 1 && *number <= 24) return static_cast<WORD>(VK_F1 + *number - 1);
  }
  if (auto code = ParseInteger(name); code && *code > 0 && *code < 256) return static_cast<WORD>(*code);
  return std::nullopt;
}

inline std::optional<KeyChord> ParseKeyChord(const std::string& text) {
  KeyChord chord;
  size_t start = 0;
  for (;;) {
    const size_t plus = text.find('+', start);
    auto vk = KeyByName(text.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
    if (!vk) return std::nullopt;
    if (plus == std::string::npos) {
      chord.key = *vk;
      return chord;
    }
    chord.modifiers.push_back(*vk);
    start = plus + 1;
  }
}

inline bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
    case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

inline INPUT KeyInput(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

inline bool PressChord(const KeyChord& chord) {
  std::vector<INPUT> inputs;
  for (WORD modifier : chord.modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(chord.key, false));
  inputs.push_back(KeyInput(chord.key, true));
  for (auto it = chord.modifiers.rbegin(); it != chord.modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  return SendInputs(inputs);
}

// Types text through the keyboard layout: each byte becomes its key with Shift,
// Ctrl and Alt as the layout needs them.
inline bool TypeText(const std::string& text) {
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    if (scan == -1) throw Failure{std::string("no key types the character '") + c + "'"};
    KeyChord chord;
    if (scan & 0x100) chord.modifiers.push_back(VK_SHIFT);
    if (scan & 0x200) chord.modifiers.push_back(VK_CONTROL);
    if (scan & 0x400) chord.modifiers.push_back(VK_MENU);
    chord.key = static_cast<WORD>(scan & 0xFF);
    if (!PressChord(chord)) return false;
  }
  return true;
}

}  // namespace qrdriver
