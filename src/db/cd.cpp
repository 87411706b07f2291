#include "db/cd.h"

CD CD::MakeSeparator() {
  CD separator;
  separator.IsSeparator = 1;
  return separator;
}
