// The run's datums where Korvane is built without PROJ (the Windows build): none.

#include "batch/RunDatums.hpp"

namespace korvane {

RunDatums ResolveRunDatums(const std::string&, const std::string&, bool, bool) {
    throw RunDatumFailure("this korvane-batch is built without PROJ and shifts no datum; "
                          "--ellipsoid chooses an ellipsoid without a shift");
}

} // namespace korvane
