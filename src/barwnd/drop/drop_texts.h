// The numbers of the drop's messages in the core's text table.
#pragma once

#include <cstdint>

#include "core/message_ids.h"

enum class DropRefusal;

int32_t DropRefusalText(DropRefusal why);
