#include "platform/components/error_info.h"

#include <utility>

namespace feriant::components {
namespace {

thread_local std::optional<Error> last_error;

}  // namespace

void SetErrorInfo(Error error) {
  last_error = std::move(error);
}

std::optional<Error> TakeErrorInfo() {
  return std::exchange(last_error, std::nullopt);
}

}  // namespace feriant::components
