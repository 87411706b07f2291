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
#include "app/live_values_win.h"
#include "app/registry_values.h"
#include "app/sample_bar.h"
#include "app/settings.h"
#include "app/splash_win.h"
#include "barwnd/bar_window_win.h"
#include "platform/html_help_win.h"
#include "db/cdb.h"
#include "platform/handles_win.h"
#include "platform/profile_win.h"

namespace {

HWND g_mainWindow = nullptr;
constexpr unsigned kSplashMilliseconds = 5000;

// Existence probes that never bring up the system's "no disk" dialog.
class WindowsSampleBarProbes : public SampleBarProbes {
 public:
  WindowsSampleBarProbes() : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~WindowsSampleBarProbes() override { ::SetErrorMode(previous_); }

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
  UINT previous_;
};

}  // namespace

BarApp& TheApp() {
  static BarApp app;
  return app;
}

HWND MainWindow() { return g_mainWindow; }
void SetMainWindow(HWND hwnd) { g_mainWindow = hwnd; }

void WriteSettings() {
  WinProfile profile(TheApp().SettingsPath());
  LiveValues live = CurrentLiveValues();
  TheSettings().Save(profile, live.hasWindow ? &live.view : nullptr,
                     live.hasWindow ? live.displayedBar : TheSettings().CurrentBar);
}

void BarApp::ReadInstallation() {
  version_ = ParseVersionText(InstallValueOrExit("Version"));
  settingsPath_ = InstallPath(InstallDirOrExit(), "options.ini");
  helpPath_ = InstallPath(InstallDirOrExit(), "Orvantis.chm");
  TheHtmlHelp().SetHelpFile(helpPath_);
}

void BarApp::AskAutoStart() {
  if (!ShouldAskAutoStart(TheSettings())) return;
  bool yes = false;
  bool dontAskAgain = false;
  AutoStartDialog dialog;
  dialog.Ask(yes, dontAskAgain);
  ApplyAutoStartAnswer(TheSettings(), yes, dontAskAgain, [] { return AddStartup(); });
}

void BarApp::BuildSampleBar() {
  CDB& db = TheDB();
  const int bar = db.AddBar(kSampleBarName);
  if (bar < 0) return;
  WindowsSampleBarProbes probes;
  for (const SampleButton& sample : SampleBarButtons(probes)) {
    CBar* target = db.Bar(bar);
    if (sample.separator) {
      target->InsertSeparator(-1);
      continue;
    }
    ButtonSpec request;
    request.Target = sample.target;
    request.Name = sample.name;
    request.WorkDir = sample.workDir;
    request.Arguments = "";
    request.IconFile = sample.iconFile;
    request.IconIndex = 0;
    request.ShowCmd = 1;
    request.Kind = sample.kind;
    request.Bar = bar;
    request.Position = -1;
    db.AddButton(request);
  }
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
  if (firstRun[0] == '1' && (size < 2 || firstRun[1] == '\0') && TheDB().BarCount() == 0 &&
      TheDB().LastLoadSucceeded()) {
    BuildSampleBar();
    TheDB().Save();
    Settings& settings = TheSettings();
    settings.FlatButtons = 1;
    settings.ColorBk = static_cast<int32_t>(::GetSysColor(COLOR_BTNFACE));
    settings.ColorClockBk = 0xFFFFFF;
    settings.ColorText = 0;
    WriteSettings();
  }
  ::RegSetValueExA(key.Get(), "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
}

int BarApp::Run() {
  ReadInstallation();
  TheDB().SetProgramFolder(InstallDirOrExit());

  {
    WinProfile profile(settingsPath_);
    TheSettings().Load(profile);
  }
  AskAutoStart();
  if (TheSettings().Splash) SplashWindow::Show(kSplashMilliseconds);

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                         ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);

  TheDB().Load();
  FirstRun();

  BarWindow window;
  WriteSettings();
  UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, "OrvantisQuickrailMutex"));
  window.DoModal(nullptr);
  return 0;
}
