#include "platform/text_win.h"

#include <algorithm>

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

void CopyWideFromAnsi(const std::string& text, wchar_t* buffer, int capacity) {
  if (capacity <= 0) return;
  // Converted whole first: a buffer too small would make the conversion fail instead of cutting.
  const std::wstring wide = WideFromAnsi(text);
  const size_t count = std::min(wide.size(), static_cast<size_t>(capacity - 1));
  wide.copy(buffer, count);
  buffer[count] = L'\0';
}
