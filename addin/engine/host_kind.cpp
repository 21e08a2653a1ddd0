#include "addin/engine/host_kind.h"

namespace feriant::engine {

std::int32_t HostKind = 0;

}  // namespace feriant::engine
