#pragma once
// How the library's controls hand a failure to their container. Handlers that the
// container calls (writing persisted properties) have no return value of their own; a
// failure there is thrown as an ObjectError carrying the original Error, which the
// container receives as the handler's result instead of a silently incomplete store.
// The user-interface thread only.

#include "platform/automation/errors.h"
#include "platform/base/result.h"

namespace feriant::lumatrel {

inline void RaiseIfFailed(const Status& status) {
  if (!status) throw automation::ObjectError(status.error());
}

}  // namespace feriant::lumatrel
