#include "BenchSupport.h"

#include <tamsell/CandidateBox.h>

#include <QScrollBar>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int ItemCount = 100000;

// 100,000 captions in a scrambled order: Japanese words with a number, some with ASCII.
const QStringList& captions() {
    static const QStringList list = [] {
        const QStringList stems = {QStringLiteral("候補"), QStringLiteral("漢字"),
                                   QStringLiteral("かな"), QStringLiteral("カタカナ"),
                                   QStringLiteral("Word"), QStringLiteral("entry")};
        std::vector<int> order(ItemCount);
        for (int i = 0; i < ItemCount; ++i)
            order[size_t(i)] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
        QStringList result;
        result.reserve(ItemCount);
        for (int i : order)
            result << QStringLiteral("%1 %2").arg(stems[i % stems.size()]).arg(i);
        return result;
    }();
    return list;
}

struct ShownBox : ApplicationFirst {
    ShownBox() {
        box.resize(240, 400);
        showExposed(box);
    }
    void fill() {
        for (const QString& caption : captions())
            box.Items().Add(0, {}, 0, caption);
    }
    tamsell::CandidateBox box;
};

// Adding the items and sorting them by caption: the target is under 0.5 s together.
void BM_CandidateAdd100k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownBox>();
        state.ResumeTiming();
        shown->fill();
        benchmark::DoNotOptimize(shown->box.Items().Count());
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CandidateAdd100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CandidateAddAndSort100k(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownBox>();
        state.ResumeTiming();
        shown->fill();
        shown->box.Sort(tamsell::CBSK_CAPTION);
        benchmark::DoNotOptimize(shown->box.Items().Item(1));
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CandidateAddAndSort100k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CandidateSort100k(benchmark::State& state) {
    ShownBox shown;
    shown.fill();
    for (auto _ : state) {
        state.PauseTiming();
        shown.box.Sort(tamsell::CBSK_CAPTION, tamsell::CBSO_DESCENDING);
        state.ResumeTiming();
        shown.box.Sort(tamsell::CBSK_CAPTION);
    }
}
BENCHMARK(BM_CandidateSort100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Scrolling the sorted items from top to bottom one page at a time, each page painted before
// the next; the time is per page, with a target under 2 ms.
void BM_CandidatePageScroll(benchmark::State& state) {
    ShownBox shown;
    shown.fill();
    shown.box.Sort(tamsell::CBSK_CAPTION);
    shown.box.repaint();
    const int page = shown.box.height() / (shown.box.ItemHeight() + 1);
    int64_t pages = 0;
    for (auto _ : state) {
        int top = shown.box.TopIndex() + page;
        if (top > ItemCount)
            top = 1;
        shown.box.setTopIndex(top);
        shown.box.repaint();
        ++pages;
    }
    state.SetItemsProcessed(pages);
}
BENCHMARK(BM_CandidatePageScroll)->Unit(benchmark::kMicrosecond);

// One row at a time, where the buffer moves and a single row is drawn.
void BM_CandidateRowScroll(benchmark::State& state) {
    ShownBox shown;
    shown.fill();
    shown.box.repaint();
    for (auto _ : state) {
        int top = shown.box.TopIndex() + 1;
        if (top > ItemCount - 20)
            top = 1;
        shown.box.setTopIndex(top);
        shown.box.repaint();
    }
}
BENCHMARK(BM_CandidateRowScroll)->Unit(benchmark::kMicrosecond);

} // namespace
