#include "icons/icon_check.h"

#include <iterator>
#include <utility>

#include "platform/path_rules.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string SlowPlaceOf(const std::string& fullPath) {
  if (fullPath.size() >= 2 && fullPath[1] == ':') return {Upper(fullPath[0]), ':'};
  if (fullPath.size() < 3 || !IsPathSeparator(fullPath[0]) || !IsPathSeparator(fullPath[1])) return fullPath;
  // "\\server\share": up to the separator after the share's name.
  std::string place = "\\\\";
  int separators = 0;
  for (size_t i = 2; i < fullPath.size(); ++i) {
    const char c = fullPath[i];
    if (IsPathSeparator(c) && ++separators == 2) break;
    place.push_back(IsPathSeparator(c) ? '\\' : Lower(c));
  }
  return place;
}

std::string DriveLettersOfMask(uint32_t unitMask) {
  std::string letters;
  for (int bit = 0; bit < 26; ++bit)
    if (unitMask & (1u << bit)) letters.push_back(static_cast<char>('A' + bit));
  return letters;
}

bool OnDrives(const std::string& fullPath, const std::string& letters) {
  return fullPath.size() >= 2 && fullPath[1] == ':' && letters.find(Upper(fullPath[0])) != std::string::npos;
}

bool IconCheckQueue::AskAgain(IconCheckRequest request) {
  if (Pending(request.key)) return false;
  asked_.erase(request.key);
  Ask(std::move(request));
  return true;
}

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
