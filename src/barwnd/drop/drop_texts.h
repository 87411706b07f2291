// The numbers of the drop's messages in the core's text table.
#pragma once

#include <cstdint>

enum class DropRefusal;

inline constexpr int32_t kMsgDropRefusedHeader = 760;
inline constexpr int32_t kMsgDropRefusedMore = 768;
// The drop was taken but the bar it was meant for is gone or busy by the time
// its buttons would be made.
inline constexpr int32_t kMsgDropAbandoned = 769;

int32_t DropRefusalText(DropRefusal why);
