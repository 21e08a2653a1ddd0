#include "platform/ui/core/window.h"

#include <map>
#include <unordered_map>
#include <utility>

#include <unistd.h>

namespace feriant::ui::window {
namespace {

struct Window {
  int process = 0;
  Procedure procedure = &DefaultProcedure;
  std::map<std::string, std::intptr_t, std::less<>> properties;
};

struct Table {
  // Starts high enough to look like a window number; 2^31 windows are never reached.
  Handle next = 0x10000;
  std::unordered_map<Handle, Window> windows;
  testing::WriteFilter write_filter;
};

Table& TheTable() {
  static Table table;
  return table;
}

Window* Find(Handle window) {
  auto& windows = TheTable().windows;
  auto it = windows.find(window);
  return it != windows.end() ? &it->second : nullptr;
}

// A window whose properties and procedure this process may change.
Window* FindOwn(Handle window) {
  Window* found = Find(window);
  return found != nullptr && found->process == CurrentProcess() ? found : nullptr;
}

Handle Enter(int process) {
  Table& table = TheTable();
  const Handle handle = table.next++;
  table.windows[handle].process = process;
  return handle;
}

}  // namespace

MinMaxInfo DefaultMinMaxInfo() {
  MinMaxInfo info;
  info.max_size = {kNoLimit, kNoLimit};
  info.max_track_size = {kNoLimit, kNoLimit};
  return info;
}

Handle Create() {
  return Enter(CurrentProcess());
}

void Destroy(Handle window) {
  TheTable().windows.erase(window);
}

bool IsWindow(Handle window) {
  return Find(window) != nullptr;
}

int ProcessOf(Handle window) {
  const Window* found = Find(window);
  return found != nullptr ? found->process : 0;
}

int CurrentProcess() {
  return static_cast<int>(::getpid());
}

std::intptr_t GetProp(Handle window, std::string_view name) {
  const Window* found = Find(window);
  if (found == nullptr) return 0;
  auto it = found->properties.find(name);
  return it != found->properties.end() ? it->second : 0;
}

bool SetProp(Handle window, std::string_view name, std::intptr_t value) {
  Window* found = FindOwn(window);
  if (found == nullptr) return false;
  if (value == 0) {
    if (auto it = found->properties.find(name); it != found->properties.end())
      found->properties.erase(it);
    return true;
  }
  const testing::WriteFilter& filter = TheTable().write_filter;
  if (filter && !filter(window, name, value)) return false;
  found->properties.insert_or_assign(std::string(name), value);
  return true;
}

std::intptr_t RemoveProp(Handle window, std::string_view name) {
  Window* found = FindOwn(window);
  if (found == nullptr) return 0;
  auto it = found->properties.find(name);
  if (it == found->properties.end()) return 0;
  const std::intptr_t value = it->second;
  found->properties.erase(it);
  return value;
}

std::vector<std::string> PropNames(Handle window) {
  std::vector<std::string> names;
  if (const Window* found = Find(window)) {
    for (const auto& entry : found->properties)
      names.push_back(entry.first);
  }
  return names;
}

Procedure GetProcedure(Handle window) {
  const Window* found = Find(window);
  return found != nullptr ? found->procedure : nullptr;
}

Procedure SetProcedure(Handle window, Procedure procedure) {
  Window* found = FindOwn(window);
  if (found == nullptr || procedure == nullptr) return nullptr;
  return std::exchange(found->procedure, procedure);
}

std::intptr_t CallProcedure(Procedure procedure, Handle window, std::uint32_t message,
                            std::intptr_t wparam, std::intptr_t lparam) {
  return procedure != nullptr ? procedure(window, message, wparam, lparam) : 0;
}

std::intptr_t Send(Handle window, std::uint32_t message, std::intptr_t wparam,
                   std::intptr_t lparam) {
  return CallProcedure(GetProcedure(window), window, message, wparam, lparam);
}

std::intptr_t DefaultProcedure(Handle /*window*/, std::uint32_t /*message*/,
                               std::intptr_t /*wparam*/, std::intptr_t /*lparam*/) {
  return 0;
}

std::intptr_t ProcedureValue(Procedure procedure) {
  return reinterpret_cast<std::intptr_t>(procedure);
}

Procedure ProcedureOf(std::intptr_t value) {
  return reinterpret_cast<Procedure>(value);
}

namespace testing {

Handle AddForeignWindow(int process_id) {
  return Enter(process_id);
}

void SetPropWriteFilter(WriteFilter filter) {
  TheTable().write_filter = std::move(filter);
}

}  // namespace testing
}  // namespace feriant::ui::window
