// The steps of dragging a button of the bar with the mouse, apart from
// Windows: a press becomes a drag once the mouse has gone past the system's
// drag distance; before that the toolbar's own click goes on. A drag ends
// with the left button let go (the item goes where the mouse is), or is
// called off by Escape or the right button, after which the drag keeps the
// mouse until every button is up, so that no click or menu follows. Resting
// on the bar-switch button starts a timer; when it runs out the bar-switch
// menu takes the mouse over.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

class DragSteps {
 public:
  enum class Phase { kIdle, kPressed, kDragging, kCalledOff };

  // What the Windows side does after a message; several may come together,
  // in this order.
  struct Effects {
    bool begin = false;       // the image, the marker and the bar's hold come
    bool follow = false;      // the image and the marker go where the mouse is
    bool hoverStart = false;  // onto the bar-switch button: its timer starts
    bool hoverStop = false;   // the timer stops
    bool end = false;         // the image, the marker and the hold go
    bool releaseMouse = false;  // the drag gives the mouse capture up
    bool drop = false;        // the item goes where the left button was let go
    bool openSwitchMenu = false;  // the bar-switch menu takes over the mouse
    bool swallow = false;     // the message was the drag's: the toolbar does not see it

    friend bool operator==(const Effects&, const Effects&) = default;
  };

  // A press of the left button on the item at `position` of the displayed bar.
  void Press(int32_t position, Point at);
  Effects Move(Point at, Size dragDistance, bool overSwitchButton);
  // A mouse button came up; `left`: it was the left one; `anyDown`: one is still down.
  Effects Up(bool left, bool anyDown);
  // The right button went down, or Escape: a drag is called off.
  Effects CallOff();
  // The capture went elsewhere, the toolbar went, the bar lost the activation.
  Effects Lost();
  Effects HoverElapsed();

  Phase CurrentPhase() const { return phase_; }
  bool Dragging() const { return phase_ == Phase::kDragging; }
  int32_t Position() const { return position_; }

 private:
  // Leaves a drag: its look goes, and the timer with it.
  Effects Ended(Phase next);

  Phase phase_ = Phase::kIdle;
  int32_t position_ = -1;
  Point pressedAt_;
  bool hovering_ = false;
};
