// Dialog data exchange: each field of a dialog is bound once to the control
// that shows it, and the one list both loads the controls from the fields and
// saves them back.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

// What the exchange needs of a dialog's controls, by control id.
class DialogControls {
 public:
  virtual std::string ItemText(int id) const = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetChecked(int id, bool checked) = 0;
  // The selected index of a drop-down list, -1 when none is.
  virtual int ListSelection(int id) const = 0;
  virtual void SetListSelection(int id, int index) = 0;
  // The number an edit control holds, none when its text is not one.
  virtual std::optional<int> ItemNumber(int id) const = 0;
  virtual void SetItemNumber(int id, int value) = 0;

 protected:
  ~DialogControls() = default;
};

class DialogFields {
 public:
  // An edit control's text.
  DialogFields& Text(int id, std::string& field);
  // A check box; the field is 0 or 1.
  DialogFields& Check(int id, int& field);
  // A drop-down list's selected index (-1: none).
  DialogFields& Selection(int id, int& field);
  // A number in an edit control; a text that is no number leaves the field as it was.
  DialogFields& Number(int id, int& field);

  // Every field into its control.
  void Load(DialogControls& controls) const;
  // Every control back into its field.
  void Save(const DialogControls& controls) const;

 private:
  enum class Kind { kText, kCheck, kSelection, kNumber };
  struct Binding {
    int id;
    Kind kind;
    std::variant<std::string*, int*> field;
  };

  std::vector<Binding> bindings_;
};
