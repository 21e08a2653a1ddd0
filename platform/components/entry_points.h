#pragma once
// The four entry points every component library exports with C linkage, and the class
// factory that DllGetClassObject hands out.
//
//   std::int32_t DllRegisterServer();    writes the library's classes into the current
//                                         user's registry (registration.h)
//   std::int32_t DllUnregisterServer();  removes what DllRegisterServer wrote; fails
//                                         when none of it is there
//   std::int32_t DllGetClassObject(const Guid* clsid, const Guid* iid, void** factory);
//                                         iid must be kIidClassFactory; *factory becomes a
//                                         ClassFactory* for the class
//   std::int32_t DllCanUnloadNow();       kSOk when no object the library created is alive
//
// Each returns a status: kSOk, kSFalse, or a negative failure code (automation/errors.h
// and below). A factory belongs to its library and stays valid while the library is
// loaded; callers never delete it. Libraries implement the entry points with
// ComponentServer (component_server.h), compile with -fvisibility=hidden and link with
// -Wl,--version-script=platform/components/entry_points.map so that the four entry points
// are all they export. One thread, the user-interface thread.

#include <cstdint>
#include <memory>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"

namespace feriant::components {

inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kSFalse = 1;

namespace hresult {
using automation::hresult::Code;
// DllGetClassObject: the library does not serve the class.
inline constexpr std::int32_t kClassNotAvailable = Code(0x80040111);
// DllRegisterServer, DllUnregisterServer: the registry could not be written.
inline constexpr std::int32_t kSelfRegClass = Code(0x80040201);
// Loading: the library file cannot be loaded.
inline constexpr std::int32_t kModuleNotFound = Code(0x8007007E);
// Loading: the library does not export one of the four entry points.
inline constexpr std::int32_t kProcNotFound = Code(0x8007007F);
}  // namespace hresult

// The interface id a caller of DllGetClassObject asks for.
inline constexpr automation::Guid kIidClassFactory{
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class ClassFactory {
 public:
  virtual ~ClassFactory() = default;
  // A new object of the factory's class.
  virtual Result<std::shared_ptr<automation::Dispatch>> CreateInstance() = 0;
};

using DllRegisterServerFunction = std::int32_t();
using DllUnregisterServerFunction = std::int32_t();
using DllGetClassObjectFunction = std::int32_t(const automation::Guid* clsid,
                                               const automation::Guid* iid, void** factory);
using DllCanUnloadNowFunction = std::int32_t();

}  // namespace feriant::components
