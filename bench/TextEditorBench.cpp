#include "BenchSupport.h"

#include <orvenly/TextEditor.h>

#include <QApplication>
#include <benchmark/benchmark.h>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// 400,000 lines of Japanese prose and ASCII, about 20 MB in code page 932, CR LF breaks.
const QString& largeDocument() {
    static const QString text = [] {
        const QString lines[] = {
            u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"_s,
            u"The quick brown fox jumps over the lazy dog; 0123456789 (ASCII)."_s,
            u"第3章　ＵＴＦ－１６とShift_JISの変換について、検討した。"_s,
            u"    if (value > 0) { return \"結果\"; } // コメント：値を返す"_s,
        };
        QString result;
        result.reserve(qsizetype{400000} * 40);
        for (int i = 0; i < 400000; ++i) {
            result += lines[i % 4];
            result += u"\r\n"_s;
        }
        return result;
    }();
    return text;
}

// A shown box holding the large document.
struct LoadedBox : ApplicationFirst {
    LoadedBox() {
        box.resize(800, 600);
        box.show();
        editor.Load(&box);
        editor.SetText(largeDocument());
    }
    orvenly::TextBox box;
    orvenly::TextEditor editor;
};

// The box takes the last selection once the event loop runs, laying out and scrolling once
// for the run; that final step is timed too.
void BM_SelectionCalls(benchmark::State& state) {
    LoadedBox loaded;
    orvenly::TextEditor& editor = loaded.editor;
    const auto size = static_cast<int32_t>(largeDocument().size());
    std::mt19937 random(4);
    std::uniform_int_distribution<int32_t> start(0, size);
    std::uniform_int_distribution<int32_t> length(0, 200);
    for (auto _ : state) {
        // 10,000 rounds of the three calls.
        for (int i = 0; i < 10000; ++i) {
            editor.SetSel(start(random), length(random));
            benchmark::DoNotOptimize(editor.SelStart());
            benchmark::DoNotOptimize(editor.SelText());
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SelectionCalls)->Unit(benchmark::kMillisecond)->Iterations(3);

// The box alone moving its caret to the same kind of places, 10,000 times: each far jump
// scrolls and lays out the caret's line.
void BM_BoxCursorJumps(benchmark::State& state) {
    LoadedBox loaded;
    orvenly::TextBox& box = loaded.box;
    const qsizetype size = box.storage().length();
    std::mt19937 random(4);
    std::uniform_int_distribution<qsizetype> start(0, size);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i)
            box.setCursorPosition(start(random));
    }
}
BENCHMARK(BM_BoxCursorJumps)->Unit(benchmark::kMillisecond)->Iterations(3);

// The selection members within one screenful, where the box has nothing to lay out: the cost
// of the position mapping itself.
void BM_SelectionCallsNearby(benchmark::State& state) {
    LoadedBox loaded;
    orvenly::TextEditor& editor = loaded.editor;
    const auto size = static_cast<int32_t>(largeDocument().size());
    std::mt19937 random(4);
    const int32_t base = size / 2;
    std::uniform_int_distribution<int32_t> start(base, base + 600);
    std::uniform_int_distribution<int32_t> length(0, 200);
    editor.SetSel(base + 1000, 0);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            editor.SetSel(start(random), length(random));
            benchmark::DoNotOptimize(editor.SelStart());
            benchmark::DoNotOptimize(editor.SelText());
        }
    }
}
BENCHMARK(BM_SelectionCallsNearby)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TextPutGet(benchmark::State& state) {
    ensureApplication();
    orvenly::TextBox box;
    orvenly::TextEditor editor;
    editor.Load(&box);
    for (auto _ : state) {
        editor.SetText(largeDocument());
        benchmark::DoNotOptimize(editor.Text());
    }
}
BENCHMARK(BM_TextPutGet)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
