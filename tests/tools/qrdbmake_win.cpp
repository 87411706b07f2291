// qrdbmake: writes a button database ("lbars.acc") for the end-to-end
// scenarios and benchmarks, through the program's own CDB::Save, so the file
// is exactly what the program itself would write.
//
//   qrdbmake DESCRIPTION FOLDER      (DESCRIPTION "-" reads standard input)
//
// The description is plain text in the system code page, one entry a line;
// blank lines and lines starting with '#' are skipped:
//   bar NAME [home] [onlaunch] [ontimer=SECONDS] [hidden]
//   button NAME|TARGET|WORKDIR|ARGS|KIND|SHOWCMD[|ICONFILE|ICONINDEX]
//   separator
// Buttons and separators go to the last bar named. A bar name may hold blanks;
// the words after it that are options end it. KIND is file, folder, url or
// 0/1/2; SHOWCMD is normal, max, min or 1/3/2; the icon defaults to the target
// with index 0. "home" makes the bar the home bar (the last one wins), with
// "onlaunch" and "ontimer" as its return options; "hidden" keeps the bar out of
// the bar-switch menu.
//
// Exit code: 0 written; 1 the database could not be saved; 2 bad usage or a
// bad line (its number on stderr).
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "db/cdb.h"

namespace {

struct BadLine {
  std::string why;
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

int ToInt(const std::string& text, const char* what) {
  try {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used == text.size()) return value;
  } catch (const std::exception&) {
  }
  throw BadLine{std::string("bad ") + what + " \"" + text + "\""};
}

int KindOf(const std::string& text) {
  if (text == "file") return kFile;
  if (text == "folder") return kFolder;
  if (text == "url") return kInternet;
  return ToInt(text, "kind");
}

int ShowCmdOf(const std::string& text) {
  if (text == "normal") return 1;
  if (text == "max") return 3;
  if (text == "min") return 2;
  return ToInt(text, "show command");
}

class DescriptionReader {
 public:
  explicit DescriptionReader(CDB& db) : db_(db) {}

  void Line(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') return;
    const std::size_t space = line.find(' ');
    const std::string word = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    if (word == "bar") {
      Bar(rest);
    } else if (word == "button") {
      Button(rest);
    } else if (word == "separator") {
      CurrentBar().InsertSeparator(-1);
    } else {
      throw BadLine{"unknown entry \"" + word + "\""};
    }
  }

 private:
  CBar& CurrentBar() {
    CBar* bar = db_.Bar(db_.BarCount() - 1);
    if (!bar) throw BadLine{"a button before the first bar"};
    return *bar;
  }

  // Options are read from the end, so a name may hold blanks.
  void Bar(const std::string& text) {
    std::vector<std::string> words = Split(text, ' ');
    bool home = false;
    int onLaunch = 0, onTimer = 0, after = 0, available = 1;
    while (!words.empty()) {
      const std::string& option = words.back();
      if (option == "home") {
        home = true;
      } else if (option == "onlaunch") {
        onLaunch = 1;
      } else if (option == "hidden") {
        available = 0;
      } else if (option.rfind("ontimer=", 0) == 0) {
        onTimer = 1;
        after = ToInt(option.substr(8), "delay") * 1000;
      } else {
        break;
      }
      words.pop_back();
    }
    std::string name;
    for (const std::string& word : words) name += (name.empty() ? "" : " ") + word;
    if (name.empty()) throw BadLine{"a bar without a name"};
    const int ordinal = db_.AddBar(name);
    CBar* bar = db_.Bar(ordinal);
    bar->ShowOnLaunch = onLaunch;
    bar->ShowOnTimer = onTimer;
    bar->ShowAfter = after;
    bar->Available = available;
    if (home) db_.SetHomeBar(ordinal);
  }

  void Button(const std::string& text) {
    const std::vector<std::string> fields = Split(text, '|');
    if (fields.size() != 6 && fields.size() != 8) throw BadLine{"a button needs 6 or 8 fields"};
    ButtonSpec request;
    request.Name = fields[0];
    request.Target = fields[1];
    request.WorkDir = fields[2];
    request.Arguments = fields[3];
    request.Kind = KindOf(fields[4]);
    request.ShowCmd = ShowCmdOf(fields[5]);
    request.IconFile = fields.size() == 8 ? fields[6] : request.Target;
    request.IconIndex = fields.size() == 8 ? ToInt(fields[7], "icon index") : 0;
    request.Bar = CurrentBar().Ordinal();
    db_.AddButton(request);
  }

  CDB& db_;
};

std::string FullFolder(const std::string& folder) {
  char full[MAX_PATH] = {};
  const DWORD length = ::GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return folder;
  std::string path(full, length);
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: qrdbmake DESCRIPTION|- FOLDER\n", stderr);
    return 2;
  }
  const std::string source = argv[1];
  std::ifstream file;
  if (source != "-") {
    file.open(source, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "qrdbmake: cannot read %s\n", source.c_str());
      return 2;
    }
  }
  std::istream& in = source == "-" ? std::cin : file;

  CDB db;
  db.SetProgramFolder(FullFolder(argv[2]));
  db.SetErrorReporter([](const std::string& text) { std::fprintf(stderr, "qrdbmake: %s\n", text.c_str()); });
  DescriptionReader reader(db);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    try {
      reader.Line(line);
    } catch (const BadLine& bad) {
      std::fprintf(stderr, "qrdbmake: line %d: %s\n", number, bad.why.c_str());
      return 2;
    }
  }
  if (db.Save() != 1) {
    std::fprintf(stderr, "qrdbmake: %s\\lbars.acc could not be written\n", db.ProgramFolder().c_str());
    return 1;
  }
  std::printf("bars=%d\thome=%d\n", static_cast<int>(db.BarCount()), static_cast<int>(db.GetHomeBar()));
  return 0;
}
