#include "app/sample_bar.h"

#include "platform/path_rules.h"

namespace {

SampleButton Launcher(const std::string& name, int32_t kind, const std::string& target) {
  SampleButton button;
  button.name = name;
  button.kind = kind;
  button.target = target;
  // A program starts in its own folder; a folder opens in itself.
  button.workDir = kind == kFile ? ContainingFolder(target) : target;
  button.iconFile = target;
  return button;
}

SampleButton Separator() {
  SampleButton button;
  button.separator = true;
  return button;
}

}  // namespace

std::vector<SampleButton> SampleBarButtons(SampleBarProbes& probes) {
  std::vector<SampleButton> buttons;
  for (const char* root : {"A:\\", "C:\\", "D:\\"}) {
    if (probes.DirectoryExists(root)) buttons.push_back(Launcher(root, kFolder, root));
  }
  if (auto documents = probes.DocumentsFolder()) {
    buttons.push_back(Launcher("My Documents", kFolder, *documents));
  }
  buttons.push_back(Separator());

  if (auto windows = probes.WindowsFolder()) {
    const std::string explorer = *windows + "\\explorer.exe";
    if (probes.FileExists(explorer)) buttons.push_back(Launcher("Windows Explorer", kFile, explorer));
    std::string calculator = *windows + "\\calc.exe";
    if (!probes.FileExists(calculator)) calculator = *windows + "\\System32\\calc.exe";
    if (probes.FileExists(calculator)) buttons.push_back(Launcher("Calculator", kFile, calculator));
    const std::string notepad = *windows + "\\notepad.exe";
    if (probes.FileExists(notepad)) buttons.push_back(Launcher("Notepad", kFile, notepad));
  }
  buttons.push_back(Separator());

  SampleButton search = Launcher("Google", kInternet, kWebSearchAddress);
  search.workDir.clear();
  buttons.push_back(search);
  return buttons;
}

