#include "addin/engine/host_kind.h"

namespace feriant::engine {

std::int32_t HostKind = 0;
std::shared_ptr<automation::Dispatch> OutlookApplication;
std::shared_ptr<automation::Dispatch> ProjectApplication;

}  // namespace feriant::engine
