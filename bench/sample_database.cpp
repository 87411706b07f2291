#include "sample_database.h"

#include <string>

#include "db/cdb.h"

namespace {

ButtonSpec SampleButton(int32_t bar, int32_t position) {
  const std::string n = std::to_string(bar) + "." + std::to_string(position);
  ButtonSpec request;
  request.Bar = bar;
  switch (position % 4) {
    case 0:
      request.Kind = 0;
      request.Name = "Notepad " + n;
      request.Target = "C:\\windows\\notepad.exe";
      request.WorkDir = "C:\\windows";
      request.Arguments = "C:\\Documents and Settings\\user\\My Documents\\notes " + n + ".txt";
      request.IconFile = "C:\\windows\\notepad.exe";
      break;
    case 1:
      request.Kind = 1;
      request.Name = "Projects " + n;
      request.Target = "C:\\Documents and Settings\\user\\My Documents\\Projects";
      request.IconFile = "C:\\windows\\system32\\shell32.dll";
      request.IconIndex = 4;
      break;
    case 2:
      request.Kind = 2;
      request.Name = "Orvantis web site " + n;
      request.Target = "http://www.example.com/orvantis/quickrail/index.html?from=" + n;
      request.IconFile = "Orvantis.Quickrail Web Site.url";
      break;
    default:
      request.Kind = 0;
      request.Name = "Report " + n;
      request.Target = "reports\\monthly " + n + ".doc";
      request.ShowCmd = 3;
      break;
  }
  return request;
}

}  // namespace

void FillSampleDatabase(CDB& db, int32_t bars, int32_t buttonsPerBar) {
  for (int32_t b = 0; b < bars; ++b) {
    const int32_t ordinal = db.AddBar("Bar number " + std::to_string(b));
    CBar& bar = *db.Bar(ordinal);
    bar.ShowOnTimer = b % 2;
    bar.ShowAfter = 5000;
    for (int32_t p = 0; p < buttonsPerBar; ++p) {
      if (p % 8 == 7)
        bar.InsertSeparator(-1);
      else
        db.AddButton(SampleButton(ordinal, p));
    }
  }
  db.SetHomeBar(bars > 1 ? 1 : -1);
}

bool SameDatabaseContents(const CDB& a, const CDB& b) {
  if (a.BarCount() != b.BarCount() || a.GetHomeBar() != b.GetHomeBar()) return false;
  for (int32_t i = 0; i < a.BarCount(); ++i) {
    const CBar& x = *a.Bar(i);
    const CBar& y = *b.Bar(i);
    if (x.Name != y.Name || x.ShowOnLaunch != y.ShowOnLaunch || x.ShowOnTimer != y.ShowOnTimer ||
        x.ShowAfter != y.ShowAfter || x.IconFile != y.IconFile || x.IconIndex != y.IconIndex ||
        x.Available != y.Available || x.Count() != y.Count())
      return false;
    for (int32_t j = 0; j < x.Count(); ++j) {
      const CD& c = *x.At(j);
      const CD& d = *y.At(j);
      if (c.Name != d.Name || c.Target != d.Target || c.WorkDir != d.WorkDir || c.Arguments != d.Arguments ||
          c.ShowCmd != d.ShowCmd || c.Kind != d.Kind || c.IconFile != d.IconFile || c.IconIndex != d.IconIndex ||
          c.Available != d.Available || c.IsSeparator != d.IsSeparator || c.CommandId != d.CommandId)
        return false;
    }
  }
  return true;
}
