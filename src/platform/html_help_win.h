// Help topics of the program's compiled help file, shown by HTML Help. The
// help library is loaded when first needed, so the program imports only the
// system libraries every Windows has.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win.h"

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Shows a topic ("w_calendar.htm") of the program's help file. False when
  // the help viewer could not be reached.
  virtual bool ShowTopic(const std::string& topic) = 0;
};

class HtmlHelpViewer final : public HelpViewer {
 public:
  HtmlHelpViewer() = default;
  ~HtmlHelpViewer() override;

  // Start-up points this at InstallDir + "\Orvantis.chm".
  void SetHelpFile(std::string path) { helpFile_ = std::move(path); }
  const std::string& HelpFile() const { return helpFile_; }

  // "<help file>::/<topic>", topic display, no owner window.
  bool ShowTopic(const std::string& topic) override;

 private:
  using HtmlHelpFn = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
  bool Load();

  std::string helpFile_;
  UniqueModule library_;
  HtmlHelpFn htmlHelp_ = nullptr;
};

// The help file address of a topic.
std::string HelpTopicAddress(const std::string& helpFile, const std::string& topic);

// The process-wide HTML Help viewer (its help file is set at start-up).
HtmlHelpViewer& TheHtmlHelp();

// The viewer the windows ask for help: HTML Help, unless a ScopedHelpViewer
// stands in for it.
HelpViewer& TheHelpViewer();

// Routes help requests to another viewer for the life of the scope (tests).
class ScopedHelpViewer {
 public:
  explicit ScopedHelpViewer(HelpViewer& viewer);
  ~ScopedHelpViewer();
  ScopedHelpViewer(const ScopedHelpViewer&) = delete;
  ScopedHelpViewer& operator=(const ScopedHelpViewer&) = delete;

 private:
  HelpViewer* previous_;
};
