// Reading and writing shell links (.lnk) through the shell's own IShellLinkA, so a
// scenario sees a link the way Windows resolves it, and can prepare links as fixtures.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "../../src/platform/handles_win.h"
#include "command_line.h"

namespace qrdriver {

struct ShellLinkFields {
  std::string target;
  std::string workingDir;
  std::string arguments;
  std::string description;
  std::string iconPath;
  int iconIndex = 0;
  int showCommand = SW_SHOWNORMAL;
};

// IPersistFile takes wide file names; the path arrives in the system code page.
inline std::wstring WidePath(const std::string& path) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? length : 1, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

class ShellLink {
 public:
  ShellLink() {
    if (!com_.Ok()) throw Failure{"CoInitialize failed"};
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link_.PutVoid());
    if (FAILED(hr)) throw Failure{"cannot create a shell link object: " + HResultText(hr)};
    hr = link_->QueryInterface(IID_IPersistFile, file_.PutVoid());
    if (FAILED(hr)) throw Failure{"shell link without IPersistFile: " + HResultText(hr)};
  }

  ShellLinkFields Load(const std::string& path) {
    const HRESULT hr = file_->Load(WidePath(path).c_str(), STGM_READ);
    if (FAILED(hr)) throw Failure{"cannot load " + path + ": " + HResultText(hr)};
    ShellLinkFields fields;
    char text[MAX_PATH * 2] = {};
    if (SUCCEEDED(link_->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) fields.target = text;
    text[0] = '\0';
    if (SUCCEEDED(link_->GetWorkingDirectory(text, sizeof text))) fields.workingDir = text;
    text[0] = '\0';
    if (SUCCEEDED(link_->GetArguments(text, sizeof text))) fields.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link_->GetDescription(text, sizeof text))) fields.description = text;
    text[0] = '\0';
    if (SUCCEEDED(link_->GetIconLocation(text, sizeof text, &fields.iconIndex))) fields.iconPath = text;
    link_->GetShowCmd(&fields.showCommand);
    return fields;
  }

  void Save(const std::string& path, const ShellLinkFields& fields) {
    link_->SetPath(fields.target.c_str());
    if (!fields.workingDir.empty()) link_->SetWorkingDirectory(fields.workingDir.c_str());
    if (!fields.arguments.empty()) link_->SetArguments(fields.arguments.c_str());
    if (!fields.description.empty()) link_->SetDescription(fields.description.c_str());
    if (!fields.iconPath.empty()) link_->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex);
    link_->SetShowCmd(fields.showCommand);
    const HRESULT hr = file_->Save(WidePath(path).c_str(), TRUE);
    if (FAILED(hr)) throw Failure{"cannot save " + path + ": " + HResultText(hr)};
  }

 private:
  static std::string HResultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
  }

  ComScope com_;
  ComPtr<IShellLinkA> link_;
  ComPtr<IPersistFile> file_;
};

}  // namespace qrdriver
