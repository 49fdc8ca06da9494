#pragma once
// A handle type known to both the test program and the sample library, handed across the
// loading boundary the way a database connection is.

#include <string>

namespace vt_sample {

struct Enlace {
  std::string nombre;
};

}  // namespace vt_sample
