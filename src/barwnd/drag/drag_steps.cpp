#include "barwnd/drag/drag_steps.h"

#include "barwnd/drag/button_move.h"

void DragSteps::Press(int32_t position, Point at) {
  if (phase_ != Phase::kIdle) return;
  phase_ = Phase::kPressed;
  position_ = position;
  pressedAt_ = at;
  hovering_ = false;
}

DragSteps::Effects DragSteps::Ended(Phase next) {
  Effects effects;
  effects.end = phase_ == Phase::kDragging;
  effects.hoverStop = hovering_;
  hovering_ = false;
  phase_ = next;
  return effects;
}

DragSteps::Effects DragSteps::Move(Point at, Size dragDistance, bool overSwitchButton) {
  Effects effects;
  if (phase_ == Phase::kCalledOff) effects.swallow = true;
  if (phase_ == Phase::kPressed && PastDragDistance(pressedAt_, at, dragDistance)) {
    phase_ = Phase::kDragging;
    effects.begin = true;
  }
  if (phase_ != Phase::kDragging) return effects;
  effects.follow = effects.swallow = true;
  if (overSwitchButton != hovering_) {
    hovering_ = overSwitchButton;
    (hovering_ ? effects.hoverStart : effects.hoverStop) = true;
  }
  return effects;
}

DragSteps::Effects DragSteps::Up(bool left, bool anyDown) {
  switch (phase_) {
    case Phase::kPressed:
      // A click: the toolbar launches the button as ever.
      if (left) phase_ = Phase::kIdle;
      return {};
    case Phase::kDragging: {
      if (!left) return {.swallow = true};
      Effects effects = Ended(Phase::kIdle);
      effects.releaseMouse = effects.drop = effects.swallow = true;
      return effects;
    }
    case Phase::kCalledOff:
      if (!anyDown) phase_ = Phase::kIdle;
      return {.releaseMouse = !anyDown, .swallow = true};
    case Phase::kIdle:
      break;
  }
  return {};
}

DragSteps::Effects DragSteps::CallOff() {
  if (phase_ == Phase::kCalledOff) return {.swallow = true};
  if (phase_ != Phase::kDragging) return {};
  Effects effects = Ended(Phase::kCalledOff);
  effects.swallow = true;
  return effects;
}

DragSteps::Effects DragSteps::Lost() { return Ended(Phase::kIdle); }

DragSteps::Effects DragSteps::HoverElapsed() {
  if (phase_ != Phase::kDragging || !hovering_) return {.hoverStop = true};
  Effects effects = Ended(Phase::kIdle);
  effects.releaseMouse = effects.openSwitchMenu = effects.swallow = true;
  return effects;
}
