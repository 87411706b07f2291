#include "db/bar_transfer.h"

#include <memory>

#include "db/cdb.h"

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool NameTaken(const CDB& db, const std::string& name) {
  for (int32_t b = 0; b < db.BarCount(); ++b)
    if (SameName(db.Bar(b)->Name, name)) return true;
  return false;
}

}  // namespace

std::string FreeBarName(const CDB& db, const std::string& name) {
  if (!NameTaken(db, name)) return name;
  for (int n = 2;; ++n) {
    const std::string candidate = name + " (" + std::to_string(n) + ")";
    if (!NameTaken(db, candidate)) return candidate;
  }
}

int32_t AppendBarCopy(CDB& db, const CBar& bar, const std::string& name, const std::string& ownIconFile) {
  const int32_t ordinal = db.AddBar(name);
  CBar& copy = *db.Bar(ordinal);
  copy.ShowOnLaunch = bar.ShowOnLaunch;
  copy.ShowOnTimer = bar.ShowOnTimer;
  copy.ShowAfter = bar.ShowAfter;
  copy.IconFile = !ownIconFile.empty() && SameName(bar.IconFile, ownIconFile) ? std::string() : bar.IconFile;
  copy.IconIndex = copy.IconFile.empty() ? 0 : bar.IconIndex;
  copy.Available = bar.Available;
  for (int32_t i = 0; i < bar.Count(); ++i) {
    auto button = std::make_unique<CD>(*bar.At(i));
    button->ImageIndex = -1;
    copy.Insert(std::move(button), -1);
  }
  return ordinal;
}

int ExportBar(const CDB& db, const CBar& bar, const std::string& path) {
  CDB file(db.StorageOf(), db.Files(), nullptr);
  file.SetProgramFolder(db.ProgramFolder());
  AppendBarCopy(file, bar, bar.Name, db.DefaultIconFile());
  return file.WriteOther(path);
}

ImportResult ImportBars(CDB& db, const std::string& path, int32_t& first) {
  CDB file(db.StorageOf(), db.Files(), nullptr);
  file.SetProgramFolder(db.ProgramFolder());
  file.DeferSlowTargetsOnNextLoad();
  if (!file.ReadOther(path)) return ImportResult::kUnreadable;
  if (file.BarCount() == 0) return ImportResult::kNoBars;
  first = db.BarCount();
  for (int32_t b = 0; b < file.BarCount(); ++b) {
    const CBar& bar = *file.Bar(b);
    AppendBarCopy(db, bar, FreeBarName(db, bar.Name), "");
  }
  return ImportResult::kImported;
}
