// A buttons manager over an in-memory database file, with helpers that act as
// the user does: click a tree item, type into the fields, press the buttons.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/manager/manager_editor.h"
#include "manager_fake_view.h"
#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"

class ManagerTest : public testing::Test {
 public:
  static constexpr const char* kProgramFolder = "C:\\Orvantis";

  ManagerTest() : storage_(files_), db_(storage_, files_, [this](const std::string& t) { reports_.push_back(t); }) {
    db_.SetProgramFolder(kProgramFolder);
  }

  // Bars from "Name: a, b, -, c" lines ("-" a separator); file buttons get a
  // target that exists, so a reload keeps them available.
  void MakeBars(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      const size_t colon = line.find(':');
      const int32_t ordinal = db_.AddBar(line.substr(0, colon));
      std::istringstream names(colon == std::string::npos ? "" : line.substr(colon + 1));
      for (std::string name; std::getline(names, name, ',');) {
        name.erase(0, name.find_first_not_of(' '));
        if (name == "-")
          db_.Bar(ordinal)->InsertSeparator(-1);
        else if (!name.empty())
          AddFileButton(ordinal, name);
      }
    }
  }

  void AddFileButton(int32_t ordinal, const std::string& name) {
    ButtonSpec request;
    request.Name = name;
    request.Target = std::string(kProgramFolder) + "\\" + name + ".exe";
    request.IconFile = request.Target;
    request.Kind = kFile;
    request.Bar = ordinal;
    files_.Put(request.Target, "program");
    db_.AddButton(request);
  }

  // The file as it is before the manager opens.
  void SaveFile() { ASSERT_EQ(db_.Save(), 1); }

  void Open(int32_t buttonPosition = 0) {
    editor_ = std::make_unique<ManagerEditor>(db_, texts_, host_, view_);
    editor_->Open(buttonPosition);
  }

  ManagerEditor& Editor() { return *editor_; }
  const ManagerTree& Tree() { return editor_->Tree(); }

  // The tree item of a bar, or of a button of it.
  int Item(int32_t bar, int32_t position = -1) {
    const int barItem = Tree().ChildWithData(Tree().Root(), bar);
    return position < 0 ? barItem : Tree().ChildWithData(barItem, position);
  }

  // A click on a tree item: the control asks before it moves and tells after.
  bool Click(int id) {
    if (!editor_->LeaveSelected()) return false;
    editor_->ItemSelected(id);
    return true;
  }

  // "Bar*: a, b" per bar; * marks the home bar, ! an unavailable bar or button.
  std::string Describe() const { return Describe(db_); }
  static std::string Describe(const CDB& db) {
    std::string out;
    for (int32_t i = 0; i < db.BarCount(); ++i) {
      const CBar& bar = *db.Bar(i);
      if (i) out += " | ";
      out += bar.Name + (db.GetHomeBar() == i ? "*" : "") + (bar.Available ? "" : "!") + ":";
      for (int32_t b = 0; b < bar.Count(); ++b) {
        const CD& button = *bar.At(b);
        out += b ? ", " : " ";
        out += button.IsSeparator ? "-" : button.Name + (button.Available ? "" : "!");
      }
    }
    return out;
  }

  // Captions under a tree item, and the item data of each.
  std::string Captions(int parent) {
    std::string out;
    for (int child : Tree().Children(parent)) {
      const TreeItem& item = Tree().At(child);
      out += (out.empty() ? "" : ", ") + item.Caption + "@" + std::to_string(item.Data);
    }
    return out;
  }

  // What a database file in the program folder holds, as Describe shows it;
  // "unreadable" when it cannot be read.
  std::string DescribeFile(const char* name) {
    const std::string folder = "C:\\Reread";
    files_.Put(folder + "\\lbars.acc", files_.Contents(std::string(kProgramFolder) + "\\" + name));
    CDB reread(storage_, files_, nullptr);
    reread.SetProgramFolder(folder);
    return reread.Load() == 1 ? Describe(reread) : "unreadable";
  }

  std::string FileBytes() { return files_.Contents(std::string(kProgramFolder) + "\\lbars.acc"); }
  bool HasFile(const char* name) { return files_.Has(std::string(kProgramFolder) + "\\" + name); }

  MemoryFileSystem files_;
  MemoryStorageBackend storage_;
  std::vector<std::string> reports_;
  CDB db_;
  MessageTexts texts_;
  FakeManagerHost host_;
  FakeManagerView view_;
  std::unique_ptr<ManagerEditor> editor_;
};
