// One line of driver output: tab-separated "key=value" fields. Values are escaped so
// that a record always stays on one line and splits cleanly on tabs: backslash, tab,
// CR and LF become \\ \t \r \n, other control bytes \xHH. Bytes of the system code page
// above 0x7F pass unchanged. The scenario library undoes exactly this escaping.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

namespace qrdriver {

inline std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out;
}

inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The inverse of Escape, also used for texts handed to the driver with --escaped, so
// that a scenario can pass any byte of the code page through Wine's command line.
// An unknown escape keeps its backslash.
inline std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[i + 1];
    if (next == '\\') out += '\\';
    else if (next == 't') out += '\t';
    else if (next == 'r') out += '\r';
    else if (next == 'n') out += '\n';
    else if (next == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
      i += 2;
    } else {
      out += '\\';
      continue;
    }
    ++i;
  }
  return out;
}

class Record {
 public:
  Record& Add(const char* key, const std::string& value) {
    if (!line_.empty()) line_ += '\t';
    line_ += key;
    line_ += '=';
    line_ += Escape(value);
    return *this;
  }
  Record& Add(const char* key, const char* value) { return Add(key, std::string(value)); }
  Record& Add(const char* key, bool value) { return Add(key, value ? "1" : "0"); }
  template <typename Integer>
    requires std::is_integral_v<Integer>
  Record& Add(const char* key, Integer value) {
    return Add(key, std::to_string(value));
  }

  Record& Hex(const char* key, unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%08llX", value);
    return Add(key, std::string(text));
  }

  Record& Rect(const char* key, long left, long top, long right, long bottom) {
    return Add(key, std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
                        std::to_string(bottom));
  }

  void Print() const {
    std::fputs(line_.c_str(), stdout);
    std::fputc('\n', stdout);
  }

  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

}  // namespace qrdriver
