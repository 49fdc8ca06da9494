#pragma once
// The most memory the code under test held at once through operator new, measured by replacing
// the global allocation functions of the test program (malloc-based, so the sanitizer run still
// sees every block). Blocks allocated by libraries through malloc itself are not counted.

#include <cstddef>

namespace vt::testing {

class AllocationMeter {
 public:
  AllocationMeter();   // starts counting from zero
  ~AllocationMeter();  // stops
  AllocationMeter(const AllocationMeter&) = delete;
  AllocationMeter& operator=(const AllocationMeter&) = delete;
  std::size_t peakBytes() const;
};

}  // namespace vt::testing
