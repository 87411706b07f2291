// The bar window's OLE drop target: it reads file names (CF_HDROP) and web
// addresses (an internet shortcut's "UniformResourceLocator", or plain text)
// from what is dragged over the bar and hands them to a DropSink.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <vector>

#include "barwnd/drop/bar_drop_items.h"
#include "barwnd/drop/drop_data.h"
#include "platform/geometry.h"

// What the bar does with a drag; points are in screen coordinates.
class DropSink {
 public:
  virtual ~DropSink() = default;
  // A drag came in; `offered` when it offers a format the bar reads. True
  // when the bar would take it.
  virtual bool DragEntered(bool offered) = 0;
  // True when a drop at `screen` would be taken.
  virtual bool DraggedOver(Point screen) = 0;
  virtual void DragLeft() = 0;
  // The items dropped at `screen`, read out of the source's data. True when
  // the bar takes them (its buttons are made afterwards, not within the call).
  virtual bool Dropped(DropPayload payload, Point screen) = 0;
};

// Whether `data` offers files, an internet shortcut's address or text; the
// data itself is not read.
bool OffersDropFormat(IDataObject* data);

// The files, else the internet shortcut's address, else the addresses of
// the text that `data` carries, each read within its block and its limits.
DropPayload DropPayloadOf(IDataObject* data);

// A drop makes buttons that point at the dragged things: a link when the
// source allows one, else a copy, never a move (the source would delete what
// it moved).
DWORD DropEffectFor(DWORD allowed);

// Counted by COM; the owner cuts it off from its sink before the sink goes,
// since OLE may hold it a little longer.
class BarDropTarget : public IDropTarget {
 public:
  explicit BarDropTarget(DropSink& sink) : sink_(&sink) {}
  void Detach() { sink_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  virtual ~BarDropTarget() = default;

  LONG references_ = 1;
  DropSink* sink_;
  bool wanted_ = false;  // the bar takes what the current drag carries
};
