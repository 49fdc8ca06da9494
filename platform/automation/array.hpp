#pragma once
// One-dimensional arrays with explicit bounds, shared by handle like the two-dimensional sheet
// array: a callee that rewrites or re-dimensions an array passed by reference changes the one
// the caller holds.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/errors.hpp"

namespace vt::automation {

template <class T>
class Array1D {
 public:
  Array1D() = default;
  // An empty array has upper = lower - 1.
  Array1D(long lower, long upper) { redim(lower, upper, false); }

  long lbound() const { return lower_; }
  long ubound() const { return lower_ + static_cast<long>(items_.size()) - 1; }
  long size() const { return static_cast<long>(items_.size()); }
  bool empty() const { return items_.empty(); }
  bool contains(long i) const { return i >= lower_ && i <= ubound(); }

  // Out-of-range subscripts raise vt::Error 9.
  T& at(long i) {
    if (!contains(i)) raise(kErrSubscript, kConversionSource);
    return items_[static_cast<size_t>(i - lower_)];
  }
  const T& at(long i) const { return const_cast<Array1D*>(this)->at(i); }

  // ReDim [Preserve]: with preserve the items whose subscripts stay in range keep their values.
  void redim(long lower, long upper, bool preserve) {
    if (upper < lower - 1) raise(kErrSubscript, kConversionSource);
    std::vector<T> next(static_cast<size_t>(upper - lower + 1));
    if (preserve) {
      for (long i = std::max(lower, lower_); i <= std::min(upper, ubound()); ++i) {
        next[static_cast<size_t>(i - lower)] = std::move(items_[static_cast<size_t>(i - lower_)]);
      }
    }
    items_ = std::move(next);
    lower_ = lower;
  }

 private:
  long lower_ = 0;
  std::vector<T> items_;
};

using StringArray = Array1D<std::string>;
using StringArrayRef = std::shared_ptr<StringArray>;
using IntegerArray = Array1D<int16_t>;
using IntegerArrayRef = std::shared_ptr<IntegerArray>;

}  // namespace vt::automation
