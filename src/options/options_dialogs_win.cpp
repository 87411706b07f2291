#include "options/options_dialogs_win.h"

#include <commdlg.h>

#include "platform/common_dialogs_win.h"

namespace {

// 150 points are 200 pixels at 96 dots per inch (the font is kept as it
// measures at 96, whatever the display scale: view_page_rules.h).
constexpr INT kLargestClockPoints = 150;

class SystemDialogs final : public OptionsDialogs {
 public:
  bool ChooseColor(HWND owner, COLORREF& colour) override {
    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = colour;
    choose.lpCustColors = custom_;
    choose.Flags = CC_RGBINIT;  // without it the dialog would not start at the current colour
    if (!ShowColorDialog(&choose)) return false;
    colour = choose.rgbResult;
    return true;
  }

  bool ChooseFont(HWND owner, LOGFONTA& font, COLORREF& colour, int& pointSizeTenths) override {
    LOGFONTA chosen = font;
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = &chosen;
    // A clock font taller than the settings file keeps (200 pixels) would come
    // back as the default at the next start: the dialog offers no such size.
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE;
    choose.nSizeMin = 1;
    choose.nSizeMax = kLargestClockPoints;
    choose.rgbColors = colour;
    if (!ShowFontDialog(&choose)) return false;
    font = chosen;
    colour = choose.rgbColors;
    pointSizeTenths = choose.iPointSize;
    return true;
  }

 private:
  // The dialog's sixteen custom colours, kept for the run of the program.
  COLORREF custom_[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                          0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
};

}  // namespace

OptionsDialogs& SystemOptionsDialogs() {
  static SystemDialogs dialogs;
  return dialogs;
}

