// The earlier copies dialog (template 260): the copies of the database kept
// in the folder "backups", newest first, with their dates, numbers of bars
// and buttons and the bars' names. "Restore" asks first, then keeps the bars
// as they are and puts the chosen copy in their place (RestoreCopy). The bar
// window runs it modally and shows the bars again afterwards:
//
//   CopiesDialog copies(db, texts);
//   copies.DoModal(barWindow);
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "db/earlier_copies.h"
#include "editing/copies/copies_rows.h"
#include "platform/window_win.h"

class CDB;
class MessageTexts;

class CopiesDialog : public Dialog {
 public:
  CopiesDialog(CDB& db, MessageTexts& texts);
  ~CopiesDialog() override { Destroy(); }

  static constexpr const char* kHelpTopic = "copies.htm";

  // A copy was put in place: the database in memory was read again.
  bool Restored() const { return restored_; }
  // The rows as listed, for whoever looks at the dialog.
  const std::vector<CopyRow>& Rows() const { return rows_; }

 protected:
  BOOL OnInitDialog() override;
  // Enter and a double click restore the selected copy.
  void OnOK() override { Restore(); }
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  void AddColumns();
  void Fill();
  int SelectedRow() const;
  void UpdateRestoreButton();
  void Restore();
  void Tell(int messageId);
  std::string DateText(const CopyDate& date) const;

  CDB& db_;
  MessageTexts& texts_;
  EarlierCopies copies_;
  std::vector<KeptCopy> kept_;
  std::vector<CopyRow> rows_;
  bool restored_ = false;
};
