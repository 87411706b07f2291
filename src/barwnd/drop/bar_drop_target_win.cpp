#include "barwnd/drop/bar_drop_target_win.h"

#include <shellapi.h>

#include <string>

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

std::vector<DroppedItem> FilesOf(IDataObject* data) {
  Medium medium(data, CF_HDROP);
  if (!medium.Ok()) return {};
  auto drop = static_cast<HDROP>(::GlobalLock(medium.Global()));
  if (!drop) return {};
  std::vector<DroppedItem> items;
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    std::string path(length + 1, '\0');
    path.resize(::DragQueryFileA(drop, i, path.data(), length + 1));
    if (!path.empty()) items.push_back({DroppedItem::Kind::kPath, path});
  }
  ::GlobalUnlock(medium.Global());
  return items;
}

// The text of a format that carries single-byte text, cut at its end or at
// the end of its memory, whichever comes first.
std::string TextOf(IDataObject* data, CLIPFORMAT format) {
  Medium medium(data, format);
  if (!medium.Ok()) return {};
  const auto* bytes = static_cast<const char*>(::GlobalLock(medium.Global()));
  if (!bytes) return {};
  const SIZE_T size = ::GlobalSize(medium.Global());
  SIZE_T length = 0;
  while (length < size && bytes[length] != '\0') ++length;
  std::string text(bytes, length);
  ::GlobalUnlock(medium.Global());
  return text;
}

CLIPFORMAT UrlFormat() {
  static const auto format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("UniformResourceLocator"));
  return format;
}

}  // namespace

std::vector<DroppedItem> DroppedItemsOf(IDataObject* data) {
  std::vector<DroppedItem> items = FilesOf(data);
  if (!items.empty()) return items;
  // An internet shortcut's address is one address, whatever it looks like.
  const std::string address = TextOf(data, UrlFormat());
  items = AddressesFromText(address);
  if (items.empty() && !address.empty() && address.find('\n') == std::string::npos) {
    items.push_back({DroppedItem::Kind::kAddress, address});
  }
  if (!items.empty()) return items;
  return AddressesFromText(TextOf(data, CF_TEXT));
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
  if (!effect) return E_INVALIDARG;
  const DWORD chosen = DropEffectFor(*effect);
  wanted_ = chosen != DROPEFFECT_NONE && sink_ && sink_->DragEntered(DroppedItemsOf(data));
  *effect = wanted_ && sink_->DraggedOver({point.x, point.y}) ? chosen : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BarDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  const DWORD chosen = DropEffectFor(*effect);
  *effect = wanted_ && chosen != DROPEFFECT_NONE && sink_ && sink_->DraggedOver({point.x, point.y})
                ? chosen
                : DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BarDropTarget::DragLeave() {
  wanted_ = false;
  if (sink_) sink_->DragLeft();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE BarDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  wanted_ = false;
  const DWORD chosen = DropEffectFor(*effect);
  if (!sink_) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  const std::vector<DroppedItem> items = chosen != DROPEFFECT_NONE ? DroppedItemsOf(data) : std::vector<DroppedItem>{};
  *effect = sink_->Dropped(items, {point.x, point.y}) ? chosen : DROPEFFECT_NONE;
  return S_OK;
}
