#include "app/app_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <optional>

#include "app/add_startup_win.h"
#include "app/autostart.h"
#include "app/autostart_dialog_win.h"
#include "app/install_info_win.h"
#include "app/registry_values.h"
#include "app/sample_bar.h"
#include "core/settings.h"
#include "app/splash_win.h"
#include "barwnd/window/bar_switcher.h"
#include "barwnd/window/bar_window_win.h"
#include "editing/browse/places_bar_win.h"
#include "platform/html_help_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/exception_barrier.h"
#include "platform/handles_win.h"
#include "platform/monitors_win.h"
#include "platform/ole_scope_win.h"
#include "platform/path_rules.h"
#include "platform/file_ops.h"
#include "platform/profile_sections_win.h"
#include "platform/profile_win.h"
#include "platform/quiet_errors_win.h"
#include "platform/storage.h"

#include "platform/startup_trace.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"

namespace {

constexpr unsigned kSplashMilliseconds = 5000;

// Existence probes that never bring up the system's "no disk" dialog.
class WindowsSampleBarProbes : public SampleBarProbes {
 public:

  bool DirectoryExists(const std::string& path) override {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool FileExists(const std::string& path) override {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  std::optional<std::string> DocumentsFolder() override {
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE)) return std::nullopt;
    return std::string(path);
  }
  std::optional<std::string> WindowsFolder() override {
    char path[MAX_PATH] = {};
    UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    return std::string(path);
  }

 private:
  const QuietErrorMode quiet_;
};

}  // namespace

BarApp::BarApp()
    : db_(PlatformStorage(), PlatformFileOps(),
          [this](const std::string& step) {
            ShowProgramMessage(MessageOwner(), texts_.Text(kMsgStorageError) + step);
          }) {}

HWND BarApp::MessageOwner() const {
  // Before the bar window exists the active window may be the splash, which
  // would take an owned box with it when its time is up. Later the bar
  // window's latest dialog (the buttons manager) owns the box and waits for it.
  return mainWindow_ ? ::GetLastActivePopup(mainWindow_) : nullptr;
}

bool BarApp::AddStartup() { return ::AddStartup(settings_, texts_); }

void BarApp::WriteSettings(const Settings& record, const LiveViewValues& live, int32_t displayedBar) {
  WinProfile profile(settingsPath_);
  Settings written = record;  // the bar window keeps the shown bar itself
  written.Save(profile, &live, displayedBar);
}

void BarApp::WriteSettingsRecord() {
  WinProfile profile(settingsPath_);
  settings_.Save(profile, nullptr, settings_.CurrentBar);
}

void BarApp::ReadInstallation() {
  version_ = ParseVersionText(InstallValueOrExit("Version"));
  settingsPath_ = JoinPath(InstallDirOrExit(), "options.ini");
  helpPath_ = JoinPath(InstallDirOrExit(), "Orvantis.chm");
  TheHtmlHelp().SetHelpFile(helpPath_);
}

void BarApp::AskAutoStart() {
  if (!ShouldAskAutoStart(settings_)) return;
  bool yes = false;
  bool dontAskAgain = false;
  AutoStartDialog dialog(texts_);
  dialog.Ask(yes, dontAskAgain);
  ApplyAutoStartAnswer(settings_, yes, dontAskAgain, [this] { return AddStartup(); });
}

void BarApp::FirstRun() {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegistryKeyPath().c_str(), 0, KEY_ALL_ACCESS, &raw) !=
      ERROR_SUCCESS) {
    return;  // no full access: the first-run step is skipped without a word
  }
  UniqueRegKey key(raw);
  char firstRun[2] = {};
  DWORD size = sizeof(firstRun);
  if (::RegQueryValueExA(key.Get(), "FirstRun", nullptr, nullptr, reinterpret_cast<BYTE*>(firstRun),
                         &size) != ERROR_SUCCESS) {
    return;
  }
  bool firstRunSaved = true;
  if (firstRun[0] == '1' && (size < 2 || firstRun[1] == '\0') && db_.BarCount() == 0 &&
      db_.LastLoadSucceeded()) {
    WindowsSampleBarProbes probes;
    AddSampleBar(db_, probes);
    // A first run whose database did not reach the disk is not over: the next
    // start builds the sample bar again.
    firstRunSaved = db_.Save() != 0;
    settings_.FlatButtons = 1;
    settings_.ColorBk = static_cast<int32_t>(::GetSysColor(COLOR_BTNFACE));
    settings_.ColorClockBk = 0xFFFFFF;
    settings_.ColorText = 0;
    WriteSettingsRecord();
  }
  if (firstRunSaved) ::RegSetValueExA(key.Get(), "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
}

void BarApp::ReportCaughtExceptions() {
  // The barriers report the first exception they stop, from whichever thread
  // it was on: a box says the operation was abandoned and the program goes
  // on. Only this thread's box has an owner; a worker's stands on its own.
  const std::string heading = texts_.Text(kMsgInternalError);
  const DWORD windowThread = ::GetCurrentThreadId();
  SetCaughtReporter([this, heading, windowThread](const std::string& where, const std::string& what) {
    const HWND owner = ::GetCurrentThreadId() == windowThread ? MessageOwner() : nullptr;
    const std::string text = heading + where + ": " + what;
    ShowProgramMessage(owner, text, MB_OK | MB_ICONERROR);
  });
}

// The icons of the first frame that the cache lacks are looked up on a
// worker while the window is made and docked; the bar's first build takes
// them. Looked up at the scale of the monitor the bar docks on.
void BarApp::PrefetchShownIcons(ButtonIconCache& icons) {
  const CBar* shown = db_.Bar(InitialDisplayedBar(db_.GetHomeBar(), settings_.CurrentBar, db_.BarCount()));
  if (!shown) return;
  const int monitorDpi = MonitorForChoice(ChosenMonitor(settings_)).dpi;
  icons.Prefetch(*shown, settings_.LargeIcon != 0, IconSidesAt(monitorDpi > 0 ? monitorDpi : SystemDpi()));
}

int BarApp::Run() {
  STARTUP_MARK("start-up entered");
  // Apartment-threaded COM for the whole run on this, the only thread: the
  // shell's execute and file-information calls expect it.
  const ComScope com;
  const OleScope ole;  // for the whole run: things are dropped on the bar through OLE
  STARTUP_MARK("COM and OLE ready");
  ReportCaughtExceptions();
  ReadInstallation();
  // A run that ended while the buttons manager was open left the manager's
  // places in the user's file dialogs: the user's own come back first.
  RestorePlacesLeftByEarlierRun(RegistryKeyPath());
  services_ = std::make_unique<ShellManagerServices>(texts_, RegistryKeyPath());
  db_.SetProgramFolder(InstallDirOrExit());
  copies_ = std::make_unique<EarlierCopies>(db_, LocalToday);
  db_.SetBeforeReplace([this](const std::string& database) { copies_->KeepDaily(database); });

  {
    WinSectionProfile profile(settingsPath_);  // a read per section, not per key
    settings_.Load(profile);
  }
  AskAutoStart();
  STARTUP_MARK("registry and settings read");
  if (settings_.Splash) {
    SplashWindow::Show(
        kSplashMilliseconds, [this] { if (mainWindow_) ::UpdateWindow(mainWindow_); },
        MonitorForChoice(ChosenMonitor(settings_)).rect);
  }

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                         ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);

  db_.DeferSlowTargetsOnNextLoad();  // removable and network targets are checked after the first paint
  db_.Load();
  FirstRun();
  STARTUP_MARK("database loaded");
  // The images of the buttons' icons, read in one piece; the bar window's
  // image lists, menus and buttons manager draw from them and the file is
  // rewritten after the first paint. It outlives the window.
  ButtonIconCache icons(db_.ProgramFolder());
  icons.Load();
  PrefetchShownIcons(icons);
  STARTUP_MARK("icon cache read");

  // The window writes the settings, every key, right after its first paint.
  BarWindow window(settings_, db_, texts_, &icons, *this);
  window.DoModal(nullptr);
  STARTUP_MARK("modal loop ended");
  // A worker may still run while the process ends: it reports to nobody.
  SetCaughtReporter(nullptr);
  return 0;
}
