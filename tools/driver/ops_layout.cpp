// The layout ops: record, layout. (Filled in with the layout reader.)
#include "tools/driver/driver.h"

namespace velmora::driver {

std::span<const Op> LayoutOps() { return {}; }

}  // namespace velmora::driver
