#include "editing/browse/shortcut_reader_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/handles_win.h"
#include "platform/text_win.h"

namespace {

// A link's fields may be longer than the system's path buffers (arguments up
// to the shell's 1024); one more shows that a field was longer still.
constexpr int kLinkFieldBuffer = 1025;

// Single-byte text of `wide`; false when a character has no form in the code page.
bool AnsiOf(const std::wstring& wide, std::string& ansi) {
  ansi.clear();
  if (wide.empty()) return true;
  // A UTF-8 code page holds every character, and refuses the question.
  BOOL lost = FALSE;
  BOOL* asked = ::GetACP() == CP_UTF8 ? nullptr : &lost;
  const DWORD flags = asked ? WC_NO_BEST_FIT_CHARS : 0;
  const int size = static_cast<int>(wide.size());
  const int length = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, asked);
  if (length <= 0) return false;
  ansi.assign(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, ansi.data(), length, nullptr, asked);
  return !lost;
}

std::wstring ShortPathOf(const std::wstring& path) {
  const DWORD length = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (length == 0) return {};
  std::wstring shortPath(length, L'\0');
  const DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(), length);
  if (got == 0 || got >= length) return {};
  shortPath.resize(got);
  return shortPath;
}

std::string AnsiPathOrLossy(const std::wstring& path) {
  std::string ansi;
  AnsiPathOf(path, ansi);
  return ansi;
}

}  // namespace

bool AnsiPathOf(const std::wstring& path, std::string& ansi) {
  if (AnsiOf(path, ansi)) return true;
  const std::wstring shortPath = ShortPathOf(path);
  std::string shortAnsi;
  if (shortPath.empty() || !AnsiOf(shortPath, shortAnsi)) return false;
  ansi = shortAnsi;
  return true;
}

std::string ExpandedPath(const std::string& text) {
  if (text.find('%') == std::string::npos) return text;
  const std::wstring wide = WideFromAnsi(text);
  const DWORD length = ::ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (length == 0) return text;
  std::wstring expanded(length, L'\0');
  const DWORD got = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), length);
  if (got == 0 || got > length) return text;
  expanded.resize(got - 1);
  return AnsiPathOrLossy(expanded);
}

void ShellShortcutReader::Resolve(const std::string& linkPath, ShortcutFields& fields) {
  ComScope com;
  ComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
    return;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return;
  if (FAILED(file->Load(WideFromAnsi(linkPath).c_str(), STGM_READ))) return;

  std::vector<wchar_t> buffer(kLinkFieldBuffer, L'\0');
  auto text = [&buffer] { return std::wstring(buffer.data()); };
  WIN32_FIND_DATAW found = {};
  if (FAILED(link->GetPath(buffer.data(), kLinkFieldBuffer, &found, SLGP_UNCPRIORITY | SLGP_RAWPATH))) return;
  fields.Target = AnsiPathOrLossy(text());
  buffer[0] = L'\0';
  if (FAILED(link->GetArguments(buffer.data(), kLinkFieldBuffer))) return;
  // Arguments are no path and may hold a '?' of their own; when the code page
  // lost one of their characters the target carries the '?' instead, so that
  // the button is refused rather than started with other arguments.
  if (!AnsiOf(text(), fields.Arguments)) fields.Target += '?';
  buffer[0] = L'\0';
  if (FAILED(link->GetWorkingDirectory(buffer.data(), kLinkFieldBuffer))) return;
  fields.WorkDir = AnsiPathOrLossy(text());
  int show = 0;
  if (FAILED(link->GetShowCmd(&show))) return;
  fields.ShowCmd = show;
  buffer[0] = L'\0';
  int index = 0;
  if (FAILED(link->GetIconLocation(buffer.data(), kLinkFieldBuffer, &index))) return;
  fields.IconFile = buffer[0] != L'\0' ? AnsiPathOrLossy(text()) : fields.Target;
  fields.IconIndex = index;
}
