#include "platform/html_help_win.h"

namespace {

constexpr UINT kHelpDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
constexpr UINT kHelpCloseAll = 0x0012;      // HH_CLOSE_ALL

HelpViewer*& CurrentViewer() {
  static HelpViewer* viewer = nullptr;
  return viewer;
}

}  // namespace

HtmlHelpViewer::~HtmlHelpViewer() {
  // Help windows must be gone before their library is unloaded.
  if (htmlHelp_) htmlHelp_(nullptr, nullptr, kHelpCloseAll, 0);
}

bool HtmlHelpViewer::Load() {
  if (htmlHelp_) return true;
  library_.Reset(::LoadLibraryA("hhctrl.ocx"));
  if (!library_) return false;
  htmlHelp_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(library_.Get(), "HtmlHelpA")));
  if (!htmlHelp_) library_.Reset();
  return htmlHelp_ != nullptr;
}

bool HtmlHelpViewer::ShowTopic(const std::string& topic) {
  if (!Load()) return false;
  htmlHelp_(nullptr, HelpTopicAddress(helpFile_, topic).c_str(), kHelpDisplayTopic, 0);
  return true;
}

std::string HelpTopicAddress(const std::string& helpFile, const std::string& topic) {
  return helpFile + "::/" + topic;
}

HtmlHelpViewer& TheHtmlHelp() {
  static HtmlHelpViewer viewer;
  return viewer;
}

HelpViewer& TheHelpViewer() {
  HelpViewer* viewer = CurrentViewer();
  return viewer ? *viewer : TheHtmlHelp();
}

ScopedHelpViewer::ScopedHelpViewer(HelpViewer& viewer) : previous_(CurrentViewer()) { CurrentViewer() = &viewer; }

ScopedHelpViewer::~ScopedHelpViewer() { CurrentViewer() = previous_; }
