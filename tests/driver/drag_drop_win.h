// A real OLE drag and drop started by the driver, as Explorer or a browser
// starts one: the data (file names or a web address) goes through
// DoDragDrop, the cursor is moved along the given points and the drop is
// made at the last one (or the drag is cancelled there).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "command_line.h"
#include "record.h"
#include "window_query_win.h"

namespace qrdriver {

// One format held in memory; made on the heap, counted by OLE.
class DriverDataObject : public IDataObject {
 public:
  DriverDataObject(CLIPFORMAT format, std::string bytes) : format_(format), bytes_(std::move(bytes)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!memory) return E_OUTOFMEMORY;
    std::memcpy(::GlobalLock(memory), bytes_.data(), bytes_.size());
    ::GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = {format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return ::SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  virtual ~DriverDataObject() = default;
  LONG refs_ = 1;
  CLIPFORMAT format_;
  std::string bytes_;
};

// Walks the cursor along the points, `stepMs` at each and `holdMs` at the
// last, then drops (or cancels). The drag loop asks it every few milliseconds.
class DriverDropSource : public IDropSource {
 public:
  DriverDropSource(std::vector<POINT> points, DWORD stepMs, DWORD holdMs, bool cancel)
      : points_(std::move(points)), stepMs_(stepMs), holdMs_(holdMs), cancel_(cancel) {
    ::SetCursorPos(points_[0].x, points_[0].y);
    since_ = ::GetTickCount();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the command's stack for the whole drag.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    const bool last = next_ + 1 >= points_.size();
    if (::GetTickCount() - since_ < (last ? holdMs_ : stepMs_)) return S_OK;
    if (last) {
      endedAt_ = ::GetTickCount();
      return cancel_ ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    ++next_;
    ::SetCursorPos(points_[next_].x, points_[next_].y);
    since_ = ::GetTickCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    lastFeedback_ = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  DWORD LastFeedback() const { return lastFeedback_; }
  // When the drop (or cancel) was told to the drag loop.
  DWORD EndedAt() const { return endedAt_; }

 private:
  std::vector<POINT> points_;
  DWORD stepMs_;
  DWORD holdMs_;
  bool cancel_;
  size_t next_ = 0;
  DWORD since_ = 0;
  DWORD lastFeedback_ = DROPEFFECT_NONE;
  DWORD endedAt_ = 0;
};

// The names of a file, one a line: more than a command line holds.
inline std::string NamesFromFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Failure{"cannot open " + path};
  std::string text(::GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  const BOOL read = ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
  ::CloseHandle(file);
  if (!read) throw Failure{"cannot read " + path};
  text.resize(got);
  std::string names;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) names += line + '\0';
    start = end + 1;
  }
  return names;
}

inline std::string EffectName(DWORD effect) {
  if (effect == DROPEFFECT_NONE) return "none";
  std::string names;
  if (effect & DROPEFFECT_COPY) names += "copy,";
  if (effect & DROPEFFECT_MOVE) names += "move,";
  if (effect & DROPEFFECT_LINK) names += "link,";
  return names.substr(0, names.size() - 1);
}

inline DWORD ParseEffects(const std::string& text) {
  DWORD effects = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::string name = Lower(text.substr(start, comma - start));
    if (name == "copy") effects |= DROPEFFECT_COPY;
    else if (name == "move") effects |= DROPEFFECT_MOVE;
    else if (name == "link") effects |= DROPEFFECT_LINK;
    else throw UsageError{"effect must be copy, move or link: " + name};
    start = comma + 1;
  }
  return effects;
}

// "X,Y;X,Y;..."
inline std::vector<POINT> ParsePoints(const std::string& text) {
  std::vector<POINT> points;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(';', start), text.size());
    const std::string pair = text.substr(start, end - start);
    const size_t comma = pair.find(',');
    if (comma == std::string::npos) throw UsageError{"a point is X,Y: " + pair};
    const auto x = ParseInteger(pair.substr(0, comma));
    const auto y = ParseInteger(pair.substr(comma + 1));
    if (!x || !y) throw UsageError{"a point is X,Y: " + pair};
    points.push_back({static_cast<LONG>(*x), static_cast<LONG>(*y)});
    start = end + 1;
  }
  if (points.empty()) throw UsageError{"no points"};
  return points;
}

// drag POINTS (--files P1|P2... | --files-from FILE | --url TEXT | --text TEXT) [--effects copy,link]
//      [--step ms] [--hold ms] [--cancel]
// The record's "drop_ms" is how long the drop took, from the drag loop's
// last question to DoDragDrop's return: the time the target held the source.
inline int DragAndDrop(const Args& args) {
  DriverDataObject* data = nullptr;
  if (auto list = args.Option("files-from")) {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    data = new DriverDataObject(
        CF_HDROP, std::string(reinterpret_cast<const char*>(&header), sizeof(header)) + NamesFromFile(*list) + '\0');
  } else if (auto files = args.Option("files")) {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    size_t start = 0;
    while (start <= files->size()) {
      const size_t bar = std::min(files->find('|', start), files->size());
      bytes += files->substr(start, bar - start) + '\0';
      start = bar + 1;
    }
    data = new DriverDataObject(CF_HDROP, bytes + '\0');
  } else if (auto url = args.Option("url")) {
    data = new DriverDataObject(static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("UniformResourceLocator")),
                                *url + '\0');
  } else if (auto text = args.Option("text")) {
    data = new DriverDataObject(CF_TEXT, *text + '\0');
  } else {
    throw UsageError{"one of --files, --url or --text is needed"};
  }
  const DWORD allowed = ParseEffects(args.Option("effects").value_or("copy,link"));
  DriverDropSource source(ParsePoints(args.At(0)), static_cast<DWORD>(args.IntegerOption("step", 200)),
                          static_cast<DWORD>(args.IntegerOption("hold", 400)), args.Has("cancel"));
  if (FAILED(::OleInitialize(nullptr))) {
    data->Release();
    throw Failure{"OleInitialize failed"};
  }
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = ::DoDragDrop(data, &source, allowed, &effect);
  const DWORD dropMs = ::GetTickCount() - source.EndedAt();
  data->Release();
  ::OleUninitialize();
  const char* result = hr == DRAGDROP_S_DROP ? "drop" : hr == DRAGDROP_S_CANCEL ? "cancel" : "error";
  Record().Add("result", result).Add("effect", EffectName(effect)).Add("feedback", EffectName(source.LastFeedback()))
      .Add("drop_ms", std::to_string(dropMs)).Print();
  return hr == DRAGDROP_S_DROP || hr == DRAGDROP_S_CANCEL ? 0 : 1;
}

}  // namespace qrdriver
