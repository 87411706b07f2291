// Which calls of an in-memory double are to fail: "the n-th call of operation X"
// (counted from 1 since the plan was made or cleared). Used by MemoryFileSystem
// and MemoryStorageBackend.
#pragma once

#include <map>
#include <set>
#include <utility>

template <typename Op>
class FaultPlan {
 public:
  void FailNth(Op op, int nth) { failing_.insert({op, nth}); }
  void FailAll(Op op) { failingAlways_.insert(op); }
  void Clear() {
    failing_.clear();
    failingAlways_.clear();
    calls_.clear();
  }
  // Counts the call and tells whether it is one of those to fail.
  bool Hit(Op op) {
    const int n = ++calls_[op];
    return failingAlways_.count(op) != 0 || failing_.count({op, n}) != 0;
  }
  int Calls(Op op) const {
    auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
  }

 private:
  std::set<std::pair<Op, int>> failing_;
  std::set<Op> failingAlways_;
  std::map<Op, int> calls_;
};
