#include "BenchSupport.h"

#include <tamsell/PropertySheet.h>

#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int ItemCount = 5000;

struct ShownSheet : ApplicationFirst {
    ShownSheet() {
        sheet.setStyle(tamsell::PSS_LIST);
        sheet.resize(320, 480);
        showExposed(sheet);
    }
    // 5,000 items in ten categories, in scrambled caption order.
    void fill() {
        std::vector<int> order(ItemCount);
        for (int i = 0; i < ItemCount; ++i)
            order[size_t(i)] = i;
        std::shuffle(order.begin(), order.end(), std::mt19937(11));
        for (int c = 0; c < 10; ++c)
            sheet.Categories().Add(0, {}, QStringLiteral("分類 %1").arg(c));
        for (int i = 0; i < ItemCount; ++i)
            sheet.Categories()
                .Item(i % 10 + 1)
                ->Items()
                .Add(0, {}, tamsell::PSIS_TEXT, QStringLiteral("項目 %1").arg(order[size_t(i)]),
                     QStringLiteral("値 %1").arg(i));
        // Lays the rows out, sorted, and draws the first page.
        sheet.repaint();
    }
    QScrollBar* scrollBar() const {
        return sheet.findChild<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly);
    }
    tamsell::PropertySheet sheet;
};

// Adding the items, sorting them into rows and drawing the first page.
void BM_SheetFillAndSort5000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownSheet>();
        state.ResumeTiming();
        shown->fill();
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SheetFillAndSort5000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Scrolling the sorted rows from top to bottom a page at a time, each page painted.
void BM_SheetPageScroll(benchmark::State& state) {
    ShownSheet shown;
    shown.fill();
    QScrollBar* bar = shown.scrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        shown.sheet.repaint();
    }
}
BENCHMARK(BM_SheetPageScroll)->Unit(benchmark::kMicrosecond);

} // namespace
