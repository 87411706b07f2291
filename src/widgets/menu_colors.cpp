#include "widgets/menu_colors.h"

MenuColors DefaultMenuColors(const SystemColorLookup& system) {
  MenuColors colors;
  colors.background = system(SystemColorRole::kMenu);
  colors.selection = system(SystemColorRole::kHighlight);
  colors.text = system(SystemColorRole::kMenuText);
  colors.selectedText = system(SystemColorRole::kHighlightText);
  colors.disabledText = system(SystemColorRole::kGrayText);
  colors.iconColumn = system(SystemColorRole::kMenu);
  return colors;
}
