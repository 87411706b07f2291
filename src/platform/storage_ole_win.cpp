#include "platform/storage_ole_win.h"

#include <windows.h>
#include <objbase.h>

#include <utility>
#include <vector>

#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/text_win.h"

namespace {

using UniqueGlobal = UniqueHandle<NullHandleTraits<HGLOBAL, ::GlobalFree>>;
using SharedCom = std::shared_ptr<ComScope>;

constexpr DWORD kOpenChildMode = STGM_READ | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kCreateMode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

std::string Narrow(const wchar_t* wide) {
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string text(n, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), n, nullptr, nullptr);
  text.resize(n - 1);
  return text;
}

bool IsNotFound(HRESULT hr) { return hr == STG_E_FILENOTFOUND || hr == STG_E_PATHNOTFOUND; }

class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL h) : h_(h), p_(::GlobalLock(h)) {}
  ~GlobalLockScope() {
    if (p_) ::GlobalUnlock(h_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* Get() const { return p_; }

 private:
  HGLOBAL h_;
  void* p_;
};

class OleStream : public Stream {
 public:
  OleStream(ComPtr<IStream> stream, SharedCom com) : com_(std::move(com)), stream_(std::move(stream)) {}

  bool ReadAll(std::string& bytes) override {
    // Read in chunks rather than trusting the size a damaged file may claim.
    LARGE_INTEGER start{};
    if (FAILED(stream_->Seek(start, STREAM_SEEK_SET, nullptr))) return false;
    bytes.clear();
    char chunk[16384];
    for (;;) {
      ULONG got = 0;
      const HRESULT hr = stream_->Read(chunk, sizeof chunk, &got);
      if (FAILED(hr)) return false;
      bytes.append(chunk, got);
      if (got < sizeof chunk) return true;
    }
  }
  bool Write(const std::string& bytes) override {
    ULONG written = 0;
    return SUCCEEDED(stream_->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) &&
           written == bytes.size();
  }
  bool Commit() override { return SUCCEEDED(stream_->Commit(STGC_DEFAULT)); }

 private:
  SharedCom com_;
  ComPtr<IStream> stream_;
};

class OleStorage : public Storage {
 public:
  OleStorage(ComPtr<IStorage> storage, SharedCom com) : com_(std::move(com)), storage_(std::move(storage)) {}

  StorageResult OpenStream(const std::string& name, std::unique_ptr<Stream>& stream) override {
    ComPtr<IStream> s;
    const HRESULT hr = storage_->OpenStream(WideFromAnsi(name).c_str(), nullptr, kOpenChildMode, 0, s.Put());
    if (FAILED(hr)) return IsNotFound(hr) ? StorageResult::kNotFound : StorageResult::kFailed;
    stream = std::make_unique<OleStream>(std::move(s), com_);
    return StorageResult::kOk;
  }
  StorageResult OpenStorage(const std::string& name, std::unique_ptr<Storage>& storage) override {
    ComPtr<IStorage> s;
    const HRESULT hr = storage_->OpenStorage(WideFromAnsi(name).c_str(), nullptr, kOpenChildMode, nullptr, 0, s.Put());
    if (FAILED(hr)) return IsNotFound(hr) ? StorageResult::kNotFound : StorageResult::kFailed;
    storage = std::make_unique<OleStorage>(std::move(s), com_);
    return StorageResult::kOk;
  }
  std::unique_ptr<Stream> CreateStream(const std::string& name) override {
    ComPtr<IStream> s;
    if (FAILED(storage_->CreateStream(WideFromAnsi(name).c_str(), kCreateMode, 0, 0, s.Put()))) return nullptr;
    return std::make_unique<OleStream>(std::move(s), com_);
  }
  std::unique_ptr<Storage> CreateStorage(const std::string& name) override {
    ComPtr<IStorage> s;
    if (FAILED(storage_->CreateStorage(WideFromAnsi(name).c_str(), kCreateMode, 0, 0, s.Put()))) return nullptr;
    return std::make_unique<OleStorage>(std::move(s), com_);
  }
  bool RemoveElement(const std::string& name) override {
    const HRESULT hr = storage_->DestroyElement(WideFromAnsi(name).c_str());
    return SUCCEEDED(hr) || IsNotFound(hr);
  }
  bool Enumerate(std::vector<StorageElement>& elements) override {
    elements.clear();
    ComPtr<IEnumSTATSTG> list;
    if (FAILED(storage_->EnumElements(0, nullptr, 0, list.Put()))) return false;
    for (;;) {
      STATSTG stat{};
      ULONG fetched = 0;
      const HRESULT hr = list->Next(1, &stat, &fetched);
      if (FAILED(hr)) return false;
      if (hr != S_OK || fetched == 0) return true;
      elements.push_back({Narrow(stat.pwcsName), stat.type == STGTY_STORAGE});
      ::CoTaskMemFree(stat.pwcsName);
    }
  }
  // For the writer, which must release the root before reading the bytes.
  void Release() { storage_.Reset(); }
  IStorage* Get() const { return storage_.Get(); }

 private:
  SharedCom com_;
  ComPtr<IStorage> storage_;
};

class OleWriter : public CompoundFileWriter {
 public:
  OleWriter(UniqueKernelHandle file, ComPtr<ILockBytes> bytes, ComPtr<IStorage> root, SharedCom com)
      : file_(std::move(file)), bytes_(std::move(bytes)), root_(std::move(root), std::move(com)) {}

  Storage& Root() override { return root_; }

  bool Finish() override {
    if (!root_.Get() || FAILED(root_.Get()->Commit(STGC_DEFAULT))) return false;
    root_.Release();
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (FAILED(bytes_->Flush()) || FAILED(bytes_->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(::GetHGlobalFromILockBytes(bytes_.Get(), &memory)) || stat.cbSize.HighPart != 0)
      return false;
    GlobalLockScope lock(memory);
    if (!lock.Get()) return false;
    const bool written = WriteWholeBuffer(file_.Get(), lock.Get(), stat.cbSize.LowPart);
    file_.Reset();
    return written;
  }

 private:
  UniqueKernelHandle file_;
  ComPtr<ILockBytes> bytes_;
  OleStorage root_;
};

}  // namespace

namespace {

// Another program that has the file open for reading (a virus scanner looking
// at the file just written, an indexer, a backup or sync tool) shares it with
// this read; one that is writing it, or holds it without sharing, makes the
// read wait a moment and try again, up to about 0.75 s in all.
constexpr DWORD kRetryWaitsMs[] = {50, 100, 150, 200, 250};

bool IsSharingConflict(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// The whole file in movable memory, or null; `busy` tells whether another
// program's handle was in the way.
UniqueGlobal ReadWholeFile(const std::string& path, bool& busy) {
  busy = false;
  UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    busy = IsSharingConflict(::GetLastError());
    return UniqueGlobal();
  }
  DWORD high = 0;
  const DWORD size = ::GetFileSize(file.Get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size == 0) return UniqueGlobal();
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return UniqueGlobal();
  GlobalLockScope lock(memory.Get());
  DWORD done = 0;
  while (lock.Get() && done < size) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), static_cast<char*>(lock.Get()) + done, size - done, &got, nullptr) || got == 0) {
      busy = IsSharingConflict(::GetLastError());
      return UniqueGlobal();
    }
    done += got;
  }
  return done == size ? std::move(memory) : UniqueGlobal();
}

}  // namespace

std::unique_ptr<Storage> OleStorageBackend::Open(const std::string& path) {
  auto com = std::make_shared<ComScope>();
  bool busy = false;
  UniqueGlobal memory = ReadWholeFile(path, busy);
  for (DWORD wait : kRetryWaitsMs) {
    if (memory || !busy) break;
    ::Sleep(wait);
    memory = ReadWholeFile(path, busy);
  }
  if (!memory) return nullptr;
  ComPtr<ILockBytes> bytes;
  if (FAILED(::CreateILockBytesOnHGlobal(memory.Get(), TRUE, bytes.Put()))) return nullptr;
  memory.Release();  // the lock bytes own it now
  ComPtr<IStorage> root;
  if (FAILED(::StgOpenStorageOnILockBytes(bytes.Get(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                          root.Put())))
    return nullptr;
  return std::make_unique<OleStorage>(std::move(root), std::move(com));
}

std::unique_ptr<CompoundFileWriter> OleStorageBackend::Create(const std::string& path) {
  auto com = std::make_shared<ComScope>();
  UniqueKernelHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return nullptr;
  ComPtr<ILockBytes> bytes;
  if (FAILED(::CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()))) return nullptr;
  ComPtr<IStorage> root;
  if (FAILED(::StgCreateDocfileOnILockBytes(bytes.Get(), kCreateMode, 0, root.Put()))) return nullptr;
  return std::make_unique<OleWriter>(std::move(file), std::move(bytes), std::move(root), std::move(com));
}

StorageBackend& PlatformStorage() {
  static OleStorageBackend backend;
  return backend;
}
