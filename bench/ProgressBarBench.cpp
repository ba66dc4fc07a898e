#include "BenchSupport.h"

#include "tamsell/ColorProgressBar.h"
#include "tamsell/ProgressBar.h"

#include <benchmark/benchmark.h>

using namespace tamsell;

namespace {

// The converter's use: one Step per file.
void BM_ProgressBarStep1000(benchmark::State& state) {
    ensureApplication();
    ProgressBar bar;
    bar.setMax(1000);
    bar.setValue(0);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(bar.Step());
    state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_ProgressBarSetValue1000(benchmark::State& state) {
    ensureApplication();
    ProgressBar bar;
    bar.setMax(1000);
    for (auto _ : state)
        for (int32_t i = 0; i < 1000; ++i)
            bar.setValue(i);
    state.SetItemsProcessed(state.iterations() * 1000);
}

// One picture of a bar of the converter's size, caption and all.
void BM_ProgressBarPaint(benchmark::State& state) {
    ensureApplication();
    ProgressBar bar;
    bar.resize(300, 22);
    bar.setValue(57);
    QPixmap target(bar.size());
    for (auto _ : state)
        bar.render(&target);
}

// A whole animated fill of 300 columns without waits, events run after each column.
void BM_ColorProgressBarAnimatedFill300(benchmark::State& state) {
    ensureApplication();
    ColorProgressBar bar;
    bar.resize(304, 20);
    bar.setAnimate(false);
    bar.setValue(0);
    bar.setAnimate(true);
    for (auto _ : state) {
        bar.setValue(100);
        state.PauseTiming();
        bar.setAnimate(false);
        bar.setValue(0);
        bar.setAnimate(true);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_ProgressBarStep1000);
BENCHMARK(BM_ProgressBarSetValue1000);
BENCHMARK(BM_ProgressBarPaint);
BENCHMARK(BM_ColorProgressBarAnimatedFill300);
