#include "icons/image_list.h"

#include "db/cbar.h"

bool GetsImage(const CD& button) { return button.IsSeparator == 0 && button.Available != 0; }

void AddButtonImages(CBar& bar, bool largeIcons, ButtonImageSink& sink) {
  for (int32_t position = 0; position < bar.Count(); ++position) {
    CD* button = bar.At(position);
    if (!button || !GetsImage(*button)) continue;
    ImagePositions added = sink.Append(button->IconFile, button->IconIndex);
    button->ImageIndex = largeIcons ? added.Large : added.Small;
  }
}
