#include "clock/clock_font_win.h"

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
