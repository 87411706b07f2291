#include "options/options_dialogs_win.h"

#include <commdlg.h>

namespace {

// 150 points are 200 pixels at 96 dots per inch.
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
    if (!::ChooseColorA(&choose)) return false;
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
    if (!::ChooseFontA(&choose)) return false;
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

LOGFONTA LogFontFromRecord(const FontRecord& record) {
  LOGFONTA font = {};
  font.lfHeight = record.Height;
  font.lfWidth = record.Width;
  font.lfEscapement = record.Escapement;
  font.lfOrientation = record.Orientation;
  font.lfWeight = record.Weight;
  font.lfItalic = record.Italic;
  font.lfUnderline = record.Underline;
  font.lfStrikeOut = record.StrikeOut;
  font.lfCharSet = record.CharSet;
  font.lfOutPrecision = record.OutPrecision;
  font.lfClipPrecision = record.ClipPrecision;
  font.lfQuality = record.Quality;
  font.lfPitchAndFamily = record.PitchAndFamily;
  lstrcpynA(font.lfFaceName, record.FaceName, LF_FACESIZE);
  return font;
}

FontRecord RecordFromLogFont(const LOGFONTA& font) {
  FontRecord record;
  record.Height = font.lfHeight;
  record.Width = font.lfWidth;
  record.Escapement = font.lfEscapement;
  record.Orientation = font.lfOrientation;
  record.Weight = font.lfWeight;
  record.Italic = font.lfItalic;
  record.Underline = font.lfUnderline;
  record.StrikeOut = font.lfStrikeOut;
  record.CharSet = font.lfCharSet;
  record.OutPrecision = font.lfOutPrecision;
  record.ClipPrecision = font.lfClipPrecision;
  record.Quality = font.lfQuality;
  record.PitchAndFamily = font.lfPitchAndFamily;
  lstrcpynA(record.FaceName, font.lfFaceName, sizeof(record.FaceName));
  return record;
}
