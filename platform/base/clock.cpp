#include "platform/base/clock.h"

#include <ctime>
#include <optional>

namespace feriant::base {
namespace {

std::shared_ptr<const Clock>& Installed() {
  static std::shared_ptr<const Clock> clock;
  return clock;
}

}  // namespace

std::chrono::local_seconds SystemClock::Now() const {
  return ToLocal(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()));
}

const Clock& CurrentClock() {
  static const SystemClock system_clock;
  const auto& installed = Installed();
  return installed ? *installed : system_clock;
}

void SetCurrentClock(std::shared_ptr<const Clock> clock) {
  Installed() = std::move(clock);
}

std::chrono::local_seconds ToLocal(std::chrono::sys_seconds utc) {
  std::time_t t = utc.time_since_epoch().count();
  std::tm parts{};
  ::localtime_r(&t, &parts);
  return std::chrono::local_seconds(std::chrono::seconds(t + parts.tm_gmtoff));
}

std::chrono::sys_seconds ToUtc(std::chrono::local_seconds local) {
  using namespace std::chrono;
  // mktime reads the zone anew on every call (a look at /etc/localtime each time), so the
  // offset is taken from localtime_r where it is the same a day before and a day after:
  // then the wall-clock time names exactly one moment. Near a change of offset, where it
  // may name none or two, mktime decides.
  const std::time_t as_utc = local.time_since_epoch().count();
  const auto offset_at = [](std::time_t t) -> std::optional<long> {
    std::tm parts{};
    if (::localtime_r(&t, &parts) == nullptr) return std::nullopt;
    return parts.tm_gmtoff;
  };
  constexpr std::time_t kDay = 86400;
  const std::optional<long> before = offset_at(as_utc - kDay);
  if (before && before == offset_at(as_utc) && before == offset_at(as_utc + kDay)) {
    return sys_seconds(seconds(as_utc - *before));
  }
  const auto day = floor<days>(local);
  const year_month_day ymd{day};
  const hh_mm_ss<seconds> hms{local - day};
  std::tm parts{};
  parts.tm_year = static_cast<int>(ymd.year()) - 1900;
  parts.tm_mon = static_cast<int>(static_cast<unsigned>(ymd.month())) - 1;
  parts.tm_mday = static_cast<int>(static_cast<unsigned>(ymd.day()));
  parts.tm_hour = static_cast<int>(hms.hours().count());
  parts.tm_min = static_cast<int>(hms.minutes().count());
  parts.tm_sec = static_cast<int>(hms.seconds().count());
  parts.tm_isdst = -1;  // let the zone rules decide
  return sys_seconds(seconds(::mktime(&parts)));
}

std::chrono::seconds UtcOffset(std::chrono::local_seconds local) {
  const auto utc = ToUtc(local);
  return std::chrono::seconds(local.time_since_epoch() - utc.time_since_epoch());
}

}  // namespace feriant::base
