#pragma once
// The description behind a failure code that crossed an entry point. A status code alone
// cannot say which file could not be written; an entry point that fails leaves its Error
// here, and the caller takes it after the call. One slot per thread.

#include <optional>

#include "platform/base/result.h"

namespace feriant::components {

void SetErrorInfo(Error error);
// The Error the last failing entry point of this thread left, once; nothing when none.
std::optional<Error> TakeErrorInfo();

}  // namespace feriant::components
