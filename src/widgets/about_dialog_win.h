// The About dialog: the program's icon, name and version, and two links, one
// to the maker's web site (message 56) and one to its support address
// (message 180, a "mailto:" link), both with the hand cursor. F1 does nothing.
#pragma once

#include <windows.h>

#include "platform/window_win.h"
#include "widgets/link_static_win.h"

class MessageTexts;

class AboutDialog : public Dialog {
 public:
  explicit AboutDialog(MessageTexts& texts);
  ~AboutDialog() override { Destroy(); }

  const CLinkStatic& WebSiteLink() const { return webSite_; }
  const CLinkStatic& EmailLink() const { return email_; }

 protected:
  BOOL OnInitDialog() override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  MessageTexts& texts_;
  CLinkStatic webSite_;
  CLinkStatic email_;
};
