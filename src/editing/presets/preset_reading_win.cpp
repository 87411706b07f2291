#include "editing/presets/preset_reading_win.h"

#include "core/message_texts.h"
#include "core/message_box_win.h"

namespace {

HCURSOR ShowHourglass() { return ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))); }

}  // namespace

PresetReading::PresetReading(HWND owner) : owner_(owner), previous_(ShowHourglass()) {}

PresetReading::~PresetReading() { ::SetCursor(previous_); }

ManyItemsQuestion PresetReading::Question() {
  return [this](std::size_t count) {
    ::SetCursor(previous_);
    const bool yes = ShowProgramMessage(owner_, ManyPresetItemsQuestion(count), MB_YESNO | MB_ICONQUESTION) == IDYES;
    if (yes) ShowHourglass();
    return yes;
  };
}
