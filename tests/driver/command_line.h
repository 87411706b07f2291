// Arguments of one driver command: positionals in order, "--name value" options and
// "--flag" switches. Bad arguments raise UsageError (exit code 2); a command that
// cannot do its work raises Failure (exit code 1).
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qrdriver {

struct UsageError {
  std::string message;
};

struct Failure {
  std::string message;
};

// Decimal, "0x" hexadecimal or negative integers; nothing may follow the number.
inline std::optional<long long> ParseInteger(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const bool negative = text[0] == '-';
  const std::string digits = negative ? text.substr(1) : text;
  if (digits.empty() || digits[0] == '-' || digits[0] == '+') return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const unsigned long long magnitude = std::strtoull(digits.c_str(), &end, 0);
  if (errno != 0 || end == digits.c_str() || *end != '\0') return std::nullopt;
  const long long value = static_cast<long long>(magnitude);
  return negative ? -value : value;
}

class Args {
 public:
  // Options named in `valueOptions` take the next argument as their value; any other
  // "--name" is a switch. A lone "--" ends the options, so texts may start with "--".
  Args(const std::vector<std::string>& argv, const std::set<std::string>& valueOptions) {
    bool optionsEnded = false;
    for (size_t i = 0; i < argv.size(); ++i) {
      const std::string& arg = argv[i];
      if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
        if (arg == "--" && !optionsEnded) {
          optionsEnded = true;
          continue;
        }
        positional_.push_back(arg);
        continue;
      }
      const std::string name = arg.substr(2);
      if (valueOptions.count(name) == 0) {
        options_[name] = "";
        continue;
      }
      if (i + 1 >= argv.size()) throw UsageError{"option --" + name + " needs a value"};
      options_[name] = argv[++i];
    }
  }

  size_t Count() const { return positional_.size(); }
  const std::string& At(size_t i) const { return positional_.at(i); }
  bool Has(const std::string& name) const { return options_.count(name) != 0; }

  std::optional<std::string> Option(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) return std::nullopt;
    return it->second;
  }

  long long Integer(size_t i) const { return ToInteger(At(i), "argument " + std::to_string(i + 1)); }

  std::optional<long long> IntegerOption(const std::string& name) const {
    auto text = Option(name);
    if (!text) return std::nullopt;
    return ToInteger(*text, "--" + name);
  }

  long long IntegerOption(const std::string& name, long long fallback) const {
    return IntegerOption(name).value_or(fallback);
  }

  // Waiting commands take "--timeout ms"; a negative value makes no sense.
  unsigned TimeoutMs(unsigned fallback) const {
    const long long value = IntegerOption("timeout", fallback);
    if (value < 0) throw UsageError{"--timeout must not be negative"};
    return static_cast<unsigned>(value);
  }

 private:
  static long long ToInteger(const std::string& text, const std::string& what) {
    auto value = ParseInteger(text);
    if (!value) throw UsageError{what + " is not a number: " + text};
    return *value;
  }

  std::vector<std::string> positional_;
  std::map<std::string, std::string> options_;
};

}  // namespace qrdriver
