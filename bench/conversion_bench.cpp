#include "app/conversion.h"

#include <benchmark/benchmark.h>

namespace {

// One pass over every code a user can type in code-to-character mode.
void describeCodeOverThreeDigits(benchmark::State &state)
{
    const QString previous = QStringLiteral("A");
    for (auto _ : state) {
        for (int code = 0; code <= 999; ++code)
            benchmark::DoNotOptimize(Conversion::describeCode(std::int16_t(code), previous));
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(describeCodeOverThreeDigits);

// One pass over every one-byte key code.
void charToCodeKeyOverOneByte(benchmark::State &state)
{
    for (auto _ : state) {
        for (int code = 0; code <= 255; ++code)
            benchmark::DoNotOptimize(Conversion::charToCodeKey(std::int16_t(code)));
    }
    state.SetItemsProcessed(state.iterations() * 256);
}
BENCHMARK(charToCodeKeyOverOneByte);

} // namespace
