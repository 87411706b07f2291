// The manager's tool-bar commands: add a button, a bar or a preset bar, delete,
// separator, move down and up.
#include <utility>

#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/manager/manager_editor.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_view.h"
#include "editing_ids.h"
#include "core/message_ids.h"

namespace {

constexpr const char* kNewButtonCaption = "--new button--";
constexpr const char* kNewBarCaption = "--new quickrail--";
constexpr const char* kWebPrefix = "http://";
constexpr int kRootImage = 0;  // the first image of every filling of the tree

}  // namespace

void ManagerEditor::OnAddButton() {
  TakeControls();
  if (!tree_.Exists(selected_)) return;
  bool committed = false;
  if (tree_.At(selected_).Kind == ItemKind::kNewBar) {
    if (fields_.Name.empty() || !CommitNewBar()) return;
    committed = true;
  } else if (selBar_ == -1) {
    view_.ReportNoBarForButton();
    return;
  }
  if (tree_.At(selected_).Kind == ItemKind::kNewButton) {
    if (fields_.Target.empty() || fields_.Name.empty() || !CommitNewButton()) return;
    committed = true;
  }
  // The entry the new button goes after is written first; one that cannot be
  // left gets no button after it.
  if (!committed && !LeaveSelected()) return;
  const int kind = view_.ChooseButtonKind();
  if (kind < kFile || kind > kInternet) return;

  SetLayout(ButtonLayout(kind));
  int parent;
  int after;
  if (selButton_ == -1) {  // a bar: the new button goes last
    parent = selected_;
    const auto& buttons = tree_.Children(parent);
    after = buttons.empty() ? kNoItem : buttons.back();
    selButton_ = db_.Bar(selBar_)->Count() - 1;
  } else {
    parent = tree_.Parent(selected_);
    after = selected_;
  }
  // Until it is made, the entry shows the root's icon.
  const int placeholder = tree_.Insert(parent, after, ItemKind::kNewButton, kNewButtonCaption, kRootImage, kind);
  view_.TreeInserted(tree_, placeholder);
  view_.TreeExpanded(parent);
  SelectQuietly(placeholder);

  fields_.Available = 1;
  ShowFields();
  view_.Focus(ManagerFocus::kTarget);
  view_.EnableRestore(true);
  view_.SetRestoreCaption(true);
  fields_.Target = kWebPrefix;
  BrowseTarget();
}

void ManagerEditor::OnAddBar() {
  TakeControls();
  const int root = tree_.Root();
  if (root == kNoItem) return;
  if (tree_.Exists(selected_)) {
    const ItemKind kind = tree_.At(selected_).Kind;
    if (kind == ItemKind::kNewBar && fields_.Name.empty()) return;
    if (kind == ItemKind::kNewButton &&
        (fields_.Target.empty() || fields_.Name.empty() || !CommitNewButton()))
      return;
  }
  // Leaving for the root writes the entry left (and commits a named new bar).
  if (!Select(root)) return;
  const int placeholder = tree_.Append(root, ItemKind::kNewBar, kNewBarCaption, kRootImage, db_.BarCount());
  view_.TreeInserted(tree_, placeholder);
  SelectQuietly(placeholder);
  view_.Focus(ManagerFocus::kName);
  view_.EnableRestore(true);
  view_.SetRestoreCaption(true);
}

void ManagerEditor::OnAddPresetBar() {
  TakeControls();
  if (tree_.Exists(selected_)) {
    // As for a new bar: a pending entry without its texts stops the command quietly.
    const ItemKind kind = tree_.At(selected_).Kind;
    if (kind == ItemKind::kNewBar && fields_.Name.empty()) return;
    if (kind == ItemKind::kNewButton && (fields_.Target.empty() || fields_.Name.empty())) return;
  }
  // The tree is filled anew afterwards: what was typed reaches the model first.
  if (!LeaveSelected()) return;
  const int32_t ordinal = view_.AddPresetBar();
  if (ordinal >= 0) FillTree(ordinal, 0);
}

void ManagerEditor::OnDelete() {
  if (!tree_.Exists(selected_)) return;
  if (IsPlaceholder(selected_)) {
    DropPlaceholder();
    view_.EnableRestore(false);
    return;
  }
  CBar* bar = db_.Bar(selBar_);
  if (!bar) return;
  const ItemKind kind = tree_.At(selected_).Kind;
  if (kind == ItemKind::kButton || kind == ItemKind::kSeparator) {
    bar->Remove(selButton_);
  } else if (kind == ItemKind::kBar) {
    if (bar->Count() > 0 &&
        !view_.AskYesNo(texts_.Text(kMsgDeleteBarQuestion) + bar->Name + texts_.Text(kMsgDeleteBarQuestionEnd)))
      return;
    db_.DeleteBar(selBar_);
    const int displayed = host_.DisplayedBar();
    const int shown = DisplayedAfterDelete(displayed, selBar_);
    if (shown != displayed) host_.SetDisplayedBar(shown);
  } else {
    return;
  }
  DeleteSelectedItem();
}

void ManagerEditor::DeleteSelectedItem() {
  const int gone = selected_;
  tree_.ShiftLaterSiblings(gone, -1);
  int next = tree_.NextSibling(gone);
  if (next == kNoItem) next = tree_.PreviousSibling(gone);
  if (next == kNoItem) next = tree_.Parent(gone);
  tree_.Remove(gone);
  view_.TreeRemoved(gone);
  SelectQuietly(next);
}

void ManagerEditor::OnSeparator() {
  TakeControls();
  if (!tree_.Exists(selected_)) return;
  const ItemKind kind = tree_.At(selected_).Kind;
  if (kind != ItemKind::kButton && kind != ItemKind::kSeparator) return;
  CBar* bar = db_.Bar(selBar_);
  if (!bar || !bar->InsertSeparator(selButton_)) return;
  const int image = view_.AddResourceImage(IDI_MGR_SEPARATOR);
  const int item = tree_.Insert(tree_.Parent(selected_), selected_, ItemKind::kSeparator,
                                texts_.Text(kMsgSeparatorName), image, selButton_ + 1);
  tree_.ShiftLaterSiblings(item, +1);
  view_.TreeInserted(tree_, item);
}

void ManagerEditor::Move(int direction) {
  if (!tree_.Exists(selected_)) return;
  // A pending entry becomes a real one first (or stays, and nothing moves).
  if (IsPlaceholder(selected_) && !LeaveSelected()) return;
  const ItemKind kind = tree_.At(selected_).Kind;
  if (kind == ItemKind::kBar)
    MoveBar(direction);
  else if (kind == ItemKind::kButton || kind == ItemKind::kSeparator)
    MoveButton(direction);
}

void ManagerEditor::MoveBar(int direction) {
  const int32_t other = selBar_ + direction;
  if (other < 0 || other >= db_.BarCount()) return;
  // The bar's own edits go with it; a bar without a name stays where it is.
  if (!LeaveSelected()) return;
  // The model carries the home-bar mark with its bar; the window's shown bar
  // follows its bar here.
  db_.SwapBars(selBar_, other);
  const int displayed = host_.DisplayedBar();
  const int shown = DisplayedAfterSwap(displayed, selBar_, other);
  if (shown != displayed) host_.SetDisplayedBar(shown);
  selBar_ = other;
  FillTree(selBar_, selButton_);
}

void ManagerEditor::MoveButton(int direction) {
  const int from = selected_;
  const int to = direction > 0 ? tree_.NextSibling(from) : tree_.PreviousSibling(from);
  if (to == kNoItem) return;
  const int32_t oldPosition = selButton_;
  if (!Select(to)) return;  // the leave step decides whether the button may move
  TreeItem& a = tree_.At(from);
  TreeItem& b = tree_.At(to);
  std::swap(a.Kind, b.Kind);
  std::swap(a.Caption, b.Caption);
  std::swap(a.Image, b.Image);
  view_.TreeChanged(tree_, from);
  view_.TreeChanged(tree_, to);
  db_.Bar(selBar_)->Swap(oldPosition, selButton_);
  LoadItemFields();
}
