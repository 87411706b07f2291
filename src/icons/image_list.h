// Which buttons of a bar get images in the bar window's image lists, and the
// ImageIndex each of them gets.
#pragma once

#include <cstdint>
#include <string>

class CBar;
struct CD;

// Where one button's icons landed; -1 where an icon could not be appended.
struct ImagePositions {
  int Small = -1;
  int Large = -1;
};

// Appends the small and the large icon of an icon file and index to the two lists.
class ButtonImageSink {
 public:
  virtual ~ButtonImageSink() = default;
  virtual ImagePositions Append(const std::string& iconFile, int32_t iconIndex) = 0;
};

// A shown button: Available set, not a separator.
bool GetsImage(const CD& button);

// Every shown button (Available set, not a separator) in list order gets its
// icons appended, and its ImageIndex becomes the position in the list the bar
// draws from (large or small). Separators and hidden buttons are left out and
// keep their ImageIndex.
void AddButtonImages(CBar& bar, bool largeIcons, ButtonImageSink& sink);
