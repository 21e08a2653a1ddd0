// Reading and writing a per-user registry file far larger than any a person keeps: N
// keys under one parent, listed with names whose case makes the file's byte order
// differ from the registry's own order, each with two values, plus one key path of
// kMaxKeyDepth names. Reading must take time in proportion to N (times its logarithm);
// the complexity the benchmark reports says whether it does.
//
// Run: build/bench/feriant_bench --benchmark_filter=Registry

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/registry/hive.h"
#include "platform/registry/registry.h"

namespace feriant::registry {
namespace {

std::string GenerateRegistryFile(int keys) {
  std::string text = "{\"version\": 1, \"keys\": {";
  std::string deep = "D";
  for (size_t i = 1; i < kMaxKeyDepth; ++i)
    deep += "\\\\D";
  text += "\"" + deep + "\": {}";
  for (int i = 0; i < keys; ++i) {
    // Upper and lower case by turns: in byte order every upper-case name comes first.
    const std::string name = std::string(1, i % 2 == 0 ? 'K' : 'k') + std::to_string(i);
    text += ",\n\"Software\\\\Many\\\\" + name + "\": {\"" + name + "\": 1, \"v\": \"x\"}";
  }
  return text + "}}";
}

void BM_RegistryRead(benchmark::State& state) {
  const std::string text = GenerateRegistryFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto hive = ParseRegistryFile(text, "registry.json");
    if (!hive) std::abort();
    benchmark::DoNotOptimize(hive);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegistryRead)
    ->RangeMultiplier(4)
    ->Range(5000, 80000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

void BM_RegistryWrite(benchmark::State& state) {
  auto hive = ParseRegistryFile(GenerateRegistryFile(static_cast<int>(state.range(0))), "r");
  if (!hive) std::abort();
  for (auto _ : state)
    benchmark::DoNotOptimize(FormatRegistryFile(*hive));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegistryWrite)
    ->RangeMultiplier(4)
    ->Range(5000, 80000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

}  // namespace
}  // namespace feriant::registry
