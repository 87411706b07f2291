#include "barwnd/drop/bar_drop_target_win.h"

#include <shellapi.h>

#include <string>

#include "platform/exception_barrier.h"

namespace {

// A medium got from a data object, given back when the scope ends.
class Medium {
 public:
  Medium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    ok_ = data && SUCCEEDED(data->GetData(&wanted, &medium_)) && medium_.tymed == TYMED_HGLOBAL &&
          medium_.hGlobal != nullptr;
    if (!ok_ && medium_.tymed != TYMED_NULL) ::ReleaseStgMedium(&medium_);
  }
  ~Medium() {
    if (ok_) ::ReleaseStgMedium(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  bool Ok() const { return ok_; }
  HGLOBAL Global() const { return medium_.hGlobal; }

 private:
  STGMEDIUM medium_ = {};
  bool ok_ = false;
};

// The bytes of the medium, read only within the block the source gave.
template <class Read>
DropPayload ReadMedium(IDataObject* data, CLIPFORMAT format, Read&& read) {
  Medium medium(data, format);
  if (!medium.Ok()) return {};
  const void* bytes = ::GlobalLock(medium.Global());
  if (!bytes) return {};
  DropPayload payload = read(bytes, static_cast<std::size_t>(::GlobalSize(medium.Global())));
  ::GlobalUnlock(medium.Global());
  return payload;
}

CLIPFORMAT UrlFormat() {
  static const auto format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("UniformResourceLocator"));
  return format;
}

bool Offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return data && data->QueryGetData(&wanted) == S_OK;
}

DropPayload TextPayload(IDataObject* data, CLIPFORMAT format, bool oneAddress) {
  return ReadMedium(data, format, [oneAddress](const void* bytes, std::size_t size) {
    return PayloadOfText(static_cast<const char*>(bytes), size, oneAddress);
  });
}

bool Holds(const DropPayload& payload) { return payload.Count() > 0 || !payload.refused.empty(); }

}  // namespace

bool OffersDropFormat(IDataObject* data) {
  return Offers(data, CF_HDROP) || Offers(data, UrlFormat()) || Offers(data, CF_TEXT);
}

DropPayload DropPayloadOf(IDataObject* data) {
  DropPayload payload = ReadMedium(data, CF_HDROP, [](const void* bytes, std::size_t size) {
    return PayloadOfFiles(static_cast<const unsigned char*>(bytes), size);
  });
  if (Holds(payload)) return payload;
  // An internet shortcut's address is one address, whatever it looks like.
  payload = TextPayload(data, UrlFormat(), true);
  if (Holds(payload)) return payload;
  return TextPayload(data, CF_TEXT, false);
}

DWORD DropEffectFor(DWORD allowed) {
  if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE BarDropTarget::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *out = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BarDropTarget::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE BarDropTarget::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE BarDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  return Guarded("DragEnter", E_UNEXPECTED, [&]() -> HRESULT {
    if (!effect) return E_INVALIDARG;
    const DWORD chosen = DropEffectFor(*effect);
    // Only the formats: a selection of thousands of files may pass over the bar on its way elsewhere.
    wanted_ = chosen != DROPEFFECT_NONE && sink_ && sink_->DragEntered(OffersDropFormat(data));
    *effect = wanted_ && sink_->DraggedOver({point.x, point.y}) ? chosen : DROPEFFECT_NONE;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE BarDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
  return Guarded("DragOver", E_UNEXPECTED, [&]() -> HRESULT {
    if (!effect) return E_INVALIDARG;
    const DWORD chosen = DropEffectFor(*effect);
    *effect = wanted_ && chosen != DROPEFFECT_NONE && sink_ && sink_->DraggedOver({point.x, point.y})
                  ? chosen
                  : DROPEFFECT_NONE;
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE BarDropTarget::DragLeave() {
  return Guarded("DragLeave", E_UNEXPECTED, [&]() -> HRESULT {
    wanted_ = false;
    if (sink_) sink_->DragLeft();
    return S_OK;
  });
}

// The items are copied out of the data object and handed on; the sink does
// the rest later, so the source's drag loop ends at once.
HRESULT STDMETHODCALLTYPE BarDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  return Guarded("Drop", E_UNEXPECTED, [&]() -> HRESULT {
    if (!effect) return E_INVALIDARG;
    wanted_ = false;
    const DWORD chosen = DropEffectFor(*effect);
    if (!sink_) {
      *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    DropPayload payload = chosen != DROPEFFECT_NONE ? DropPayloadOf(data) : DropPayload{};
    *effect = sink_->Dropped(std::move(payload), {point.x, point.y}) ? chosen : DROPEFFECT_NONE;
    return S_OK;
  });
}
