// The screen edge a bar stands on. The numbers are the shell's own appbar edge
// numbers and the values stored as "Edge" in options.ini, so they stay plain ints:
// a value read from the file may lie outside 0..3.
#pragma once

enum ScreenEdge : int {
  kEdgeLeft = 0,
  kEdgeTop = 1,
  kEdgeRight = 2,
  kEdgeBottom = 3,
};

constexpr bool IsKnownEdge(int edge) { return edge >= kEdgeLeft && edge <= kEdgeBottom; }

// Left and right bars run top to bottom; everything else is laid out as a row.
constexpr bool IsLeftOrRightEdge(int edge) { return edge == kEdgeLeft || edge == kEdgeRight; }

// The edge the bar window starts on. An unknown stored value would give a bar of
// zero size that nobody can see or reach, so it falls back to the top edge.
constexpr int EdgeForNewWindow(int storedEdge) { return IsKnownEdge(storedEdge) ? storedEdge : kEdgeTop; }
