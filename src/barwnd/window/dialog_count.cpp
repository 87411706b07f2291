#include "barwnd/window/dialog_count.h"

void DialogCount::Enter() {
  if (++count_ == 1 && changed_) changed_(true);
}

void DialogCount::Leave() {
  if (count_ == 0) return;
  if (--count_ == 0 && changed_) changed_(false);
}
