#pragma once
// Windows as the desktop knows them: handles in a per-process window table, each window
// with a store of named properties and a window procedure that can be replaced, and the
// two messages the model sends through it. This is what lets code hook messages of a
// window it does not own (a control watching its form's size query) while keeping its
// bookkeeping in the window itself.
//
// Every form (while loaded), user control, property page and windowed control has a
// window. A window's handle is never 0 and never used again in the process; once the
// window is destroyed IsWindow answers false and its properties are gone. A window of
// another process can be entered into the table for tests (testing::AddForeignWindow):
// its properties and procedure cannot be changed from here.
//
// Procedures are plain functions, so that, as on the desktop, one can be kept in a
// window property as a number (ProcedureValue / ProcedureOf) and called later through
// CallProcedure. A new window's procedure is DefaultProcedure.
//
// The table belongs to the user-interface thread; nothing here is thread-safe.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace feriant::ui::window {

using Handle = std::int32_t;
using Procedure = std::intptr_t (*)(Handle window, std::uint32_t message, std::intptr_t wparam,
                                    std::intptr_t lparam);

// Messages the model sends.
inline constexpr std::uint32_t kDestroy = 2;  // the window is being destroyed
// The size limits of a form are asked (lparam: the address of a MinMaxInfo).
inline constexpr std::uint32_t kGetMinMaxInfo = 36;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The size-limit record of kGetMinMaxInfo, 40 bytes laid out as the desktop's: sizes of
// the whole window (frame included) in pixels. A procedure may change any field; the
// form honours min_track_size and max_track_size.
struct MinMaxInfo {
  Point reserved;
  Point max_size;
  Point max_position;
  Point min_track_size;
  Point max_track_size;
};
static_assert(sizeof(MinMaxInfo) == 40);

// What a form fills in before it asks: no limit at all (0 and kNoLimit pixels).
inline constexpr std::int32_t kNoLimit = 32767;
MinMaxInfo DefaultMinMaxInfo();

// A new window of this process (the model calls this for its objects).
Handle Create();
// Removes the window with its properties; nothing is sent. Unknown handles are ignored.
void Destroy(Handle window);

bool IsWindow(Handle window);
// The id of the process that owns the window; 0 when it is not a window.
int ProcessOf(Handle window);
int CurrentProcess();

// Window properties: named numbers, names compared exactly. Reading a missing one
// answers 0. Writing 0 removes the entry instead of storing it. A write answers whether
// it was carried out: false for what is not a window of this process, or when the test
// filter refuses it.
std::intptr_t GetProp(Handle window, std::string_view name);
bool SetProp(Handle window, std::string_view name, std::intptr_t value);
// Removes the entry and answers the value it had (0 when none).
std::intptr_t RemoveProp(Handle window, std::string_view name);
// The names of the window's properties, sorted.
std::vector<std::string> PropNames(Handle window);

// The window's procedure; nullptr when it is not a window.
Procedure GetProcedure(Handle window);
// Installs `procedure` and answers the one it replaced; nullptr (and nothing changes)
// when `window` is not a window of this process or `procedure` is null.
Procedure SetProcedure(Handle window, Procedure procedure);
// Calls `procedure`; a null one answers 0.
std::intptr_t CallProcedure(Procedure procedure, Handle window, std::uint32_t message,
                            std::intptr_t wparam, std::intptr_t lparam);
// Sends a message through the window's current procedure; 0 when it is not a window.
std::intptr_t Send(Handle window, std::uint32_t message, std::intptr_t wparam = 0,
                   std::intptr_t lparam = 0);
// The procedure of every new window: answers 0 and changes nothing.
std::intptr_t DefaultProcedure(Handle window, std::uint32_t message, std::intptr_t wparam,
                               std::intptr_t lparam);

// A procedure as a property value and back.
std::intptr_t ProcedureValue(Procedure procedure);
Procedure ProcedureOf(std::intptr_t value);

namespace testing {
// Enters a window owned by process `process_id` (not this one) into the table.
Handle AddForeignWindow(int process_id);
// Decides every later property write (SetProp with a value other than 0): false makes
// the write fail. An empty filter lets every write through.
using WriteFilter = std::function<bool(Handle window, std::string_view name, std::intptr_t value)>;
void SetPropWriteFilter(WriteFilter filter);
}  // namespace testing

}  // namespace feriant::ui::window
