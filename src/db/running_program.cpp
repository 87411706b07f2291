#include "db/running_program.h"

#include <algorithm>
#include <cctype>

#include "db/cd.h"
#include "db/new_button.h"

namespace {

char Folded(char c) {
  if (c == '/') return '\\';
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool HasExtension(const std::string& path, const std::string& extension) {
  return path.size() > extension.size() &&
         SameProgramPath(path.substr(path.size() - extension.size()), extension);
}

std::string Trimmed(std::string text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool SameProgramPath(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Folded(x) == Folded(y); });
}

SwitchChoice ChooseSwitch(const std::string& program, const std::vector<ProgramWindow>& windows, uintptr_t front,
                          bool newCopy) {
  if (newCopy || program.empty()) return {};
  const ProgramWindow* latest = nullptr;
  for (const ProgramWindow& window : windows) {
    if (!SameProgramPath(window.programPath, program)) continue;
    if (window.handle == front && !window.minimised) return {SwitchAction::kMinimise, window.handle, false};
    if (!latest) latest = &window;
  }
  if (!latest) return {};
  return {SwitchAction::kActivate, latest->handle, latest->minimised};
}

std::string ProgramOfButton(const CD& button, const LinkTarget& linkTarget) {
  if (button.IsSeparator || button.Kind != kFile) return {};
  const std::string target = Trimmed(button.Target);
  if (HasExtension(target, ".exe")) return target;
  if (HasExtension(target, ".lnk") && linkTarget) {
    const std::string linked = linkTarget(target);
    if (HasExtension(linked, ".exe")) return linked;
  }
  return {};
}

ButtonSpec ProgramButton(const std::string& programPath, const std::string& description) {
  const size_t slash = programPath.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : programPath.substr(0, slash);
  const std::string file = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  const size_t dot = file.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
  ButtonSpec button;
  button.Target = programPath;
  button.WorkDir = folder;
  button.IconFile = programPath;
  button.Kind = kFile;
  const std::string named = Trimmed(description);
  button.Name = named.empty() ? stem : named;
  return button;
}
