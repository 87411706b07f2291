#include "db/cbar.h"

#include <algorithm>
#include <utility>

int CBar::Insert(std::unique_ptr<CD>&& button, int32_t position) {
  if (!button) return 0;
  size_t at;
  if (buttons_.empty() || position == -1 || position == Count() - 1) {
    at = buttons_.size();
  } else if (position >= 0 && position < Count()) {
    at = static_cast<size_t>(position) + 1;
  } else {
    return 0;
  }
  buttons_.insert(buttons_.begin() + at, std::move(button));
  Renumber(at);
  return 1;
}

int CBar::InsertSeparator(int32_t position) {
  return Insert(std::make_unique<CD>(CD::MakeSeparator()), position);
}

int CBar::Remove(int32_t position) {
  if (position < 0 || position >= Count()) return 0;
  buttons_.erase(buttons_.begin() + position);
  Renumber(static_cast<size_t>(position));
  return 1;
}

int CBar::Swap(int32_t first, int32_t second) {
  if (first < 0 || second < 0 || first >= Count() || second >= Count()) return 0;
  std::swap(buttons_[first], buttons_[second]);
  Renumber(static_cast<size_t>(std::min(first, second)));
  return 1;
}

void CBar::Clear() { buttons_.clear(); }

CD* CBar::At(int32_t position) {
  return position >= 0 && position < Count() ? buttons_[position].get() : nullptr;
}

const CD* CBar::At(int32_t position) const {
  return position >= 0 && position < Count() ? buttons_[position].get() : nullptr;
}

int32_t CBar::CountAvailable() const {
  return static_cast<int32_t>(
      std::count_if(buttons_.begin(), buttons_.end(), [](const auto& b) { return b->Available != 0; }));
}

const CD* CBar::FindByCommandId(int32_t commandId) const {
  for (const auto& button : buttons_)
    if (button->CommandId == commandId) return button.get();
  return nullptr;
}

void CBar::Launch(int32_t commandId, const std::string& programFolder) const {
  Launch(commandId, CurrentLauncher(), programFolder);
}

void CBar::Launch(int32_t commandId, const Launcher& launcher, const std::string& programFolder) const {
  const CD* button = FindByCommandId(commandId);
  if (button && launcher) launcher(MakeLaunchRecord(*button, programFolder));
}

void CBar::SetOrdinal(int32_t ordinal) {
  ordinal_ = ordinal;
  Renumber(0);
}

void CBar::Renumber(size_t from) {
  for (size_t i = from; i < buttons_.size(); ++i)
    buttons_[i]->CommandId = ButtonCommandId(ordinal_, static_cast<int32_t>(i));
}
