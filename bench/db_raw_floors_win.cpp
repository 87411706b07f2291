// The floors of the database benchmark (db_save_bench_win.cpp): the plain
// ways of writing and reading a compound file on ole32, which the program's
// save and load are set beside.
#include "db_raw_floors_win.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "db/cd.h"
#include "db/cdb.h"
#include "db/db_paths.h"
#include "db/records.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/storage_ole_win.h"

namespace {

constexpr DWORD kDirectCreate = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DIRECT;
constexpr DWORD kDirectRead = STGM_READ | STGM_SHARE_EXCLUSIVE | STGM_DIRECT;

std::wstring WideName(const std::string& name) { return std::wstring(name.begin(), name.end()); }

bool WriteStream(IStorage& parent, const std::string& name, const std::string& bytes) {
  ComPtr<IStream> stream;
  if (FAILED(parent.CreateStream(WideName(name).c_str(), kDirectCreate & ~STGM_DIRECT, 0, 0, stream.Put())))
    return false;
  ULONG written = 0;
  return SUCCEEDED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) &&
         written == bytes.size();
}

}  // namespace

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

namespace {

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

}  // namespace

bool RawLoad(const std::string& path) {
  ComScope com;
  ComPtr<IStorage> root;
  if (FAILED(::StgOpenStorage(WideName(path).c_str(), nullptr, kDirectRead, nullptr, 0, root.Put()))) return false;
  size_t total = 0;
  return ReadAllStreams(*root.Get(), total) && total > 0;
}

// The same raw reading, of the file read in one piece and opened in memory.
bool RawLoadInMemory(const std::string& path) {
  ComScope com;
  WinFileOps files;
  std::string bytes;
  if (!files.ReadAll(path, bytes) || bytes.empty()) return false;
  UniqueHandle<NullHandleTraits<HGLOBAL, ::GlobalFree>> memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory) return false;
  void* p = ::GlobalLock(memory.Get());
  if (!p) return false;
  bytes.copy(static_cast<char*>(p), bytes.size());
  ::GlobalUnlock(memory.Get());
  ComPtr<ILockBytes> lockBytes;
  if (FAILED(::CreateILockBytesOnHGlobal(memory.Get(), TRUE, lockBytes.Put()))) return false;
  memory.Release();
  ComPtr<IStorage> root;
  if (FAILED(::StgOpenStorageOnILockBytes(lockBytes.Get(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                          root.Put())))
    return false;
  size_t total = 0;
  return ReadAllStreams(*root.Get(), total) && total > 0;
}
