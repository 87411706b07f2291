#include "editing/presets/preset_reading_win.h"

#include "core/message_texts.h"

namespace {

HCURSOR ShowHourglass() { return ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }

}  // namespace

PresetReading::PresetReading(HWND owner) : owner_(owner), previous_(ShowHourglass()) {}

PresetReading::~PresetReading() { ::SetCursor(previous_); }

ManyItemsQuestion PresetReading::Question() {
  return [this](std::size_t count) {
    ::SetCursor(previous_);
    const bool yes = ::MessageBoxA(owner_, ManyPresetItemsQuestion(count).c_str(), ProgramTitle(),
                                   MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (yes) ShowHourglass();
    return yes;
  };
}
