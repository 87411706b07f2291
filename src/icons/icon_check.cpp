#include "icons/icon_check.h"

#include <iterator>
#include <utility>

void IconCheckQueue::Ask(IconCheckRequest request) {
  if (!asked_.insert(request.key).second) return;
  pending_.insert(request.key);
  waiting_.push_back(std::move(request));
}

std::vector<IconCheckRequest> IconCheckQueue::TakeWaiting() { return std::exchange(waiting_, {}); }

void IconCheckQueue::PutBack(std::vector<IconCheckRequest> requests) {
  waiting_.insert(waiting_.begin(), std::make_move_iterator(requests.begin()),
                  std::make_move_iterator(requests.end()));
}

void IconCheckQueue::Place(const IconKey& key, const ImagePlace& place) {
  if (Pending(key)) places_.emplace(key, place);
}

void IconCheckQueue::Forget(const ImageListPair& lists) {
  std::erase_if(places_, [&lists](const auto& entry) { return entry.second.lists == lists; });
}

std::vector<ImagePlace> IconCheckQueue::Answered(const IconKey& key) {
  pending_.erase(key);
  std::vector<ImagePlace> places;
  auto [first, last] = places_.equal_range(key);
  for (auto at = first; at != last; ++at) places.push_back(at->second);
  places_.erase(first, last);
  return places;
}
