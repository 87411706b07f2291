// Times the database file on the real ole32 (run it under Wine), side by side
// with plain baselines in the same run, for 10 bars x 20 buttons and
// 128 bars x 64 buttons:
//   save: the program's CDB::Save (the compound file built in memory and
//         written in one piece, with its save copy and flush) against a
//         direct-mode StgCreateDocfile on the file, written element by element;
//   load: the program's CDB::Load (file read once, opened in memory, records
//         decoded) against a direct-mode StgOpenStorage that only enumerates
//         and reads every stream raw, the floor for a load.
// Both files are then loaded by the program and must give the same database.
//
// Usage: qr_win_db_save_bench [repeats for the small database [for the large one]]
// Prints one table; the exit code is 1 when a save, a load or the check failed.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "db/cdb.h"
#include "db/records.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/storage_ole_win.h"
#include "sample_database.h"

namespace {

constexpr DWORD kDirectCreate = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DIRECT;
constexpr DWORD kDirectRead = STGM_READ | STGM_SHARE_EXCLUSIVE | STGM_DIRECT;

struct Size {
  int32_t Bars;
  int32_t Buttons;
  int Repeats;
};

struct Timings {
  double DirectSave = 0;
  double ProgramSave = 0;
  double RawLoad = 0;
  double ProgramLoad = 0;
  bool Ok = true;
};

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{};
  LARGE_INTEGER frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median of `repeats` runs, in milliseconds; `ok` turns false when a run fails.
double MedianMs(int repeats, bool& ok, const std::function<bool()>& run) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    LARGE_INTEGER start{};
    ::QueryPerformanceCounter(&start);
    if (!run()) ok = false;
    times.push_back(MillisecondsSince(start));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::wstring WideName(const std::string& name) { return std::wstring(name.begin(), name.end()); }

bool WriteStream(IStorage& parent, const std::string& name, const std::string& bytes) {
  ComPtr<IStream> stream;
  if (FAILED(parent.CreateStream(WideName(name).c_str(), kDirectCreate & ~STGM_DIRECT, 0, 0, stream.Put())))
    return false;
  ULONG written = 0;
  return SUCCEEDED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) &&
         written == bytes.size();
}

// The plain way: the same tree, written in direct mode straight into the file.
bool DirectModeSave(const CDB& db, const std::string& path) {
  ComScope com;
  ComPtr<IStorage> root;
  if (FAILED(::StgCreateDocfile(WideName(path).c_str(), kDirectCreate, 0, root.Put()))) return false;
  if (!WriteStream(*root.Get(), kDatabaseInfoName, EncodeDatabaseInfo(db.GetHomeBar()))) return false;
  for (int32_t ordinal = 0; ordinal < db.BarCount(); ++ordinal) {
    const CBar& bar = *db.Bar(ordinal);
    ComPtr<IStorage> storage;
    if (FAILED(root->CreateStorage(WideName(std::to_string(ordinal)).c_str(), kDirectCreate & ~STGM_DIRECT, 0, 0,
                                   storage.Put())))
      return false;
    if (!WriteStream(*storage.Get(), kBarInfoName, EncodeBarRecord(bar))) return false;
    for (int32_t position = 0; position < bar.Count(); ++position)
      if (!WriteStream(*storage.Get(), std::to_string(position), EncodeButtonRecord(*bar.At(position))))
        return false;
  }
  return true;
}

// Every stream of a storage and of the storages inside it, read and thrown away.
bool ReadAllStreams(IStorage& storage, size_t& total) {
  ComPtr<IEnumSTATSTG> list;
  if (FAILED(storage.EnumElements(0, nullptr, 0, list.Put()))) return false;
  STATSTG stat{};
  ULONG fetched = 0;
  std::vector<char> buffer;
  while (list->Next(1, &stat, &fetched) == S_OK && fetched == 1) {
    const std::wstring name = stat.pwcsName;
    ::CoTaskMemFree(stat.pwcsName);
    if (stat.type == STGTY_STORAGE) {
      ComPtr<IStorage> child;
      if (FAILED(storage.OpenStorage(name.c_str(), nullptr, kDirectRead, nullptr, 0, child.Put())) ||
          !ReadAllStreams(*child.Get(), total))
        return false;
    } else {
      ComPtr<IStream> stream;
      if (FAILED(storage.OpenStream(name.c_str(), nullptr, kDirectRead, 0, stream.Put()))) return false;
      buffer.resize(stat.cbSize.LowPart);
      ULONG got = 0;
      if (FAILED(stream->Read(buffer.data(), static_cast<ULONG>(buffer.size()), &got))) return false;
      total += got;
    }
  }
  return true;
}

bool RawLoad(const std::string& path) {
  ComScope com;
  ComPtr<IStorage> root;
  if (FAILED(::StgOpenStorage(WideName(path).c_str(), nullptr, kDirectRead, nullptr, 0, root.Put()))) return false;
  size_t total = 0;
  return ReadAllStreams(*root.Get(), total) && total > 0;
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
  t.DirectSave = MedianMs(size.Repeats, t.Ok, [&] { return DirectModeSave(source, directPath); });
  t.ProgramSave = MedianMs(size.Repeats, t.Ok, [&] { return source.Save() == 1; });

  t.RawLoad = MedianMs(size.Repeats, t.Ok, [&] { return RawLoad(programFolder + "\\lbars.acc"); });
  CDB loaded(storage, files, report);
  loaded.SetProgramFolder(programFolder);
  t.ProgramLoad = MedianMs(size.Repeats, t.Ok, [&] { return loaded.Load() == 1 && loaded.BarCount() == size.Bars; });

  // The two files must hold the same database for the comparison to mean anything.
  CDB fromDirect(storage, files, report);
  fromDirect.SetProgramFolder(directFolder);
  if (fromDirect.Load() != 1 || !SameDatabaseContents(loaded, fromDirect)) {
    std::fprintf(stderr, "%s: the two files do not hold the same database\n", label.c_str());
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

  const Size sizes[] = {{10, 20, smallRepeats}, {128, 64, largeRepeats}};
  std::printf("Database save and load on ole32, median of repeated runs (ms)\n\n");
  std::printf("%-9s %7s | %13s %13s %7s | %13s %13s %7s\n", "bars x", "runs", "direct save", "program save",
              "ratio", "raw read", "program load", "ratio");
  std::printf("%-9s %7s | %13s %13s %7s | %13s %13s %7s\n", "buttons", "", "(baseline)", "(in memory)", "",
              "(baseline)", "", "");
  bool ok = true;
  for (const Size& size : sizes) {
    const Timings t = Measure(size, temp);
    ok = ok && t.Ok;
    const std::string label = std::to_string(size.Bars) + " x " + std::to_string(size.Buttons);
    std::printf("%-9s %7d | %13.1f %13.1f %7.2f | %13.1f %13.1f %7.2f\n", label.c_str(), size.Repeats, t.DirectSave,
                t.ProgramSave, t.ProgramSave / t.DirectSave, t.RawLoad, t.ProgramLoad, t.ProgramLoad / t.RawLoad);
    std::fflush(stdout);
  }
  std::printf("\nratio = program / baseline; below 1 the program is faster.%s\n",
              ok ? "" : "\nSOME RUNS FAILED (see the messages above).");
  return ok ? 0 : 1;
}
