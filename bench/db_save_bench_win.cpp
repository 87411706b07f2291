// Times the database file on the real ole32 (run it under Wine), side by side
// with plain baselines in the same run, for 10 bars x 20 buttons,
// 128 bars x 64 buttons and 256 bars x 64 buttons:
//   save: the program's CDB::Save (the compound file built in memory and
//         written in one piece, with its save copy and flush) against a
//         direct-mode StgCreateDocfile on the file, written element by element
//         (not for the largest size: ole32 takes minutes for it under Wine);
//   load: the program's CDB::Load (file read once, opened in memory, records
//         decoded, file buttons' targets looked for) against a direct-mode
//         StgOpenStorage that only enumerates and reads every stream raw, the
//         floor for a load; beside it the same raw reading of the file read
//         in one piece and opened in memory (the program's way), and the
//         existence checks of the file buttons' targets alone, which together
//         tell where the program's load spends its time.
// Both files are then loaded by the program and must give the same database.
//
// Usage: qr_win_db_save_bench [repeats for the small database [for the large ones]]
// Prints one table, then one line per size for the bar benchmark:
//   load<TAB>size=BxN<TAB>raw=ms,ms,...<TAB>program=ms,ms,...
// The exit code is 1 when a save, a load or the check failed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "db/cd.h"
#include "db/cdb.h"
#include "db/db_paths.h"
#include "db/records.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/storage_ole_win.h"
#include "db_raw_floors_win.h"
#include "sample_database.h"

namespace {

struct Size {
  int32_t Bars;
  int32_t Buttons;
  int Repeats;
  bool WithDirectSave;
};

struct Timings {
  std::vector<double> DirectSave;
  std::vector<double> ProgramSave;
  std::vector<double> RawLoad;
  std::vector<double> RawLoadInMemory;
  std::vector<double> ExistenceChecks;
  std::vector<double> ProgramLoad;
  bool Ok = true;
};

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// `repeats` runs, in milliseconds, in the order run; `ok` turns false when a run fails.
std::vector<double> RunsMs(int repeats, bool& ok, const std::function<bool()>& run) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    if (!run()) ok = false;
    times.push_back(MillisecondsSince(start));
  }
  return times;
}

double Median(std::vector<double> times) {
  if (times.empty()) return 0;
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::string Joined(const std::vector<double>& times) {
  std::string out;
  char number[32];
  for (double t : times) {
    std::snprintf(number, sizeof number, "%s%.1f", out.empty() ? "" : ",", t);
    out += number;
  }
  return out;
}

// The existence checks a load makes: every file button's target, as the load
// resolves it against the program folder.
bool CheckTargets(const CDB& db) {
  WinFileOps files;
  size_t found = 0;
  for (int32_t b = 0; b < db.BarCount(); ++b)
    for (int32_t i = 0; i < db.Bar(b)->Count(); ++i) {
      const CD& button = *db.Bar(b)->At(i);
      if (button.Kind == kFile && button.IsSeparator != 1 &&
          files.Exists(ResolveAgainstFolder(db.ProgramFolder(), button.Target)))
        ++found;
    }
  return found > 0;
}

std::string MakeFolder(const std::string& parent, const std::string& name) {
  const std::string folder = parent + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void RemoveFolder(const std::string& folder) {
  for (const char* name : {"lbars.acc", "tmp_db.acc", "lbars_unreadable.acc", "lbars_unfinished.acc"})
    ::DeleteFileA((folder + "\\" + name).c_str());
  ::RemoveDirectoryA(folder.c_str());
}

// Bars and buttons in the same order (the load hides file buttons whose target
// is missing, which the database in memory still shows).
bool SameShape(const CDB& a, const CDB& b) {
  if (a.BarCount() != b.BarCount()) return false;
  for (int32_t i = 0; i < a.BarCount(); ++i) {
    if (a.Bar(i)->Name != b.Bar(i)->Name || a.Bar(i)->Count() != b.Bar(i)->Count()) return false;
    for (int32_t j = 0; j < a.Bar(i)->Count(); ++j)
      if (a.Bar(i)->At(j)->Name != b.Bar(i)->At(j)->Name) return false;
  }
  return true;
}

Timings Measure(const Size& size, const std::string& temp) {
  OleStorageBackend storage;
  WinFileOps files;
  Timings t;
  auto report = [&t](const std::string& text) {
    std::fprintf(stderr, "storage error: %s\n", text.c_str());
    t.Ok = false;
  };
  const std::string label = std::to_string(size.Bars) + "x" + std::to_string(size.Buttons);
  const std::string programFolder = MakeFolder(temp, "qrbench_program_" + label);
  const std::string directFolder = MakeFolder(temp, "qrbench_direct_" + label);

  CDB source(storage, files, report);
  source.SetProgramFolder(programFolder);
  FillSampleDatabase(source, size.Bars, size.Buttons);

  const std::string directPath = directFolder + "\\lbars.acc";
  const int saves = size.WithDirectSave ? size.Repeats : 1;
  if (size.WithDirectSave)
    t.DirectSave = RunsMs(saves, t.Ok, [&] { return DirectModeSave(source, directPath); });
  t.ProgramSave = RunsMs(saves, t.Ok, [&] { return source.Save() == 1; });

  // Alternately, so that both meet the same state of the machine.
  CDB loaded(storage, files, report);
  loaded.SetProgramFolder(programFolder);
  const std::string programPath = programFolder + "\\lbars.acc";
  for (int i = 0; i < size.Repeats; ++i) {
    t.RawLoad.push_back(RunsMs(1, t.Ok, [&] { return RawLoad(programPath); })[0]);
    t.RawLoadInMemory.push_back(RunsMs(1, t.Ok, [&] { return RawLoadInMemory(programPath); })[0]);
    t.ExistenceChecks.push_back(RunsMs(1, t.Ok, [&] { return CheckTargets(source); })[0]);
    t.ProgramLoad.push_back(
        RunsMs(1, t.Ok, [&] { return loaded.Load() == 1 && loaded.BarCount() == size.Bars; })[0]);
  }

  // The two files must hold the same database for the comparison to mean anything.
  if (size.WithDirectSave) {
    CDB fromDirect(storage, files, report);
    fromDirect.SetProgramFolder(directFolder);
    if (fromDirect.Load() != 1 || !SameDatabaseContents(loaded, fromDirect)) {
      std::fprintf(stderr, "%s: the two files do not hold the same database\n", label.c_str());
      t.Ok = false;
    }
  } else if (!SameShape(loaded, source)) {
    std::fprintf(stderr, "%s: the program's file does not load as saved\n", label.c_str());
    t.Ok = false;
  }
  RemoveFolder(programFolder);
  RemoveFolder(directFolder);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  const int smallRepeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const int largeRepeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);

  const Size sizes[] = {{10, 20, smallRepeats, true}, {128, 64, largeRepeats, true}, {256, 64, largeRepeats, false}};
  std::printf("Database save and load on ole32, median of repeated runs (ms)\n\n");
  std::printf("%-9s %5s | %11s %12s %6s | %9s %10s %10s %12s %6s\n", "bars x", "runs", "direct save",
              "program save", "ratio", "raw read", "raw read", "existence", "program load", "ratio");
  std::printf("%-9s %5s | %11s %12s %6s | %9s %10s %10s %12s %6s\n", "buttons", "", "(baseline)", "(in memory)", "",
              "(floor)", "in memory", "checks", "", "");
  bool ok = true;
  std::vector<std::string> records;
  for (const Size& size : sizes) {
    const Timings t = Measure(size, temp);
    ok = ok && t.Ok;
    const std::string label = std::to_string(size.Bars) + " x " + std::to_string(size.Buttons);
    char direct[32] = "-";
    char saveRatio[32] = "-";
    if (size.WithDirectSave) {
      std::snprintf(direct, sizeof direct, "%.1f", Median(t.DirectSave));
      std::snprintf(saveRatio, sizeof saveRatio, "%.2f", Median(t.ProgramSave) / Median(t.DirectSave));
    }
    std::printf("%-9s %5d | %11s %12.1f %6s | %9.1f %10.1f %10.1f %12.1f %6.2f\n", label.c_str(), size.Repeats,
                direct, Median(t.ProgramSave), saveRatio, Median(t.RawLoad), Median(t.RawLoadInMemory),
                Median(t.ExistenceChecks), Median(t.ProgramLoad), Median(t.ProgramLoad) / Median(t.RawLoad));
    std::fflush(stdout);
    records.push_back("load\tsize=" + std::to_string(size.Bars) + "x" + std::to_string(size.Buttons) +
                      "\traw=" + Joined(t.RawLoad) + "\tprogram=" + Joined(t.ProgramLoad));
  }
  std::printf("\nratio = program / baseline; below 1 the program is faster. The existence checks are part\n"
              "of the program's load.%s\n\n",
              ok ? "" : "\nSOME RUNS FAILED (see the messages above).");
  for (const std::string& record : records) std::printf("%s\n", record.c_str());
  return ok ? 0 : 1;
}
