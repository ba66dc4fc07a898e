#include "BenchFiles.h"

#include <orvenly/PieceTree.h>
#include <platform/Cp932.h>

#include <QFile>
#include <benchmark/benchmark.h>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// The benchmarks' 50 MB of Japanese prose and ASCII in Shift_JIS, decoded: CR LF breaks, as a
// file gives it.
const QString& japaneseText() {
    static const QString text = [] {
        QFile file(benchfiles::largeTextFile());
        file.open(QIODevice::ReadOnly);
        return platform::cp932::decode(file.readAll());
    }();
    return text;
}

// The tree over the 50 MB, cut into pieces by 10,000 edits spread over it.
struct EditedTree {
    EditedTree() {
        tree.setText(japaneseText());
        std::mt19937 random(7);
        for (int i = 0; i < 10000; ++i) {
            const qsizetype at = random() % tree.length();
            if (i % 2 == 0)
                tree.insert(at, u"挿入\n"_s);
            else
                tree.remove(at, 3);
        }
    }
    orvenly::PieceTree tree;
};

EditedTree& editedTree() {
    static EditedTree edited;
    return edited;
}

void BM_PieceTreeFromText(benchmark::State& state) {
    orvenly::PieceTree tree;
    for (auto _ : state) {
        state.PauseTiming();
        QString text = japaneseText();
        text.detach();
        state.ResumeTiming();
        tree.setText(std::move(text));
    }
    state.counters["lines"] = static_cast<double>(tree.lineCount());
    state.counters["chars"] = static_cast<double>(tree.length());
}
BENCHMARK(BM_PieceTreeFromText)->Unit(benchmark::kMillisecond);

void BM_PieceTreeTypeAtEnd(benchmark::State& state) {
    orvenly::PieceTree& tree = editedTree().tree;
    for (auto _ : state)
        tree.insert(tree.length(), u"あ");
}
BENCHMARK(BM_PieceTreeTypeAtEnd);

// Each insertion in a new place, so each one cuts a piece.
void BM_PieceTreeInsertInMiddle(benchmark::State& state) {
    orvenly::PieceTree& tree = editedTree().tree;
    std::mt19937 random(11);
    for (auto _ : state)
        tree.insert(tree.length() / 3 + random() % 1000000, u"あ");
}
BENCHMARK(BM_PieceTreeInsertInMiddle);

void BM_PieceTreeLineOfPosition(benchmark::State& state) {
    const orvenly::PieceTree& tree = editedTree().tree;
    std::mt19937 random(13);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.lineOf(random() % tree.length()));
}
BENCHMARK(BM_PieceTreeLineOfPosition);

void BM_PieceTreePositionOfLine(benchmark::State& state) {
    const orvenly::PieceTree& tree = editedTree().tree;
    std::mt19937 random(17);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.lineStart(random() % tree.lineCount()));
}
BENCHMARK(BM_PieceTreePositionOfLine);

void BM_PieceTreePositionFromCrLf(benchmark::State& state) {
    const orvenly::PieceTree& tree = editedTree().tree;
    std::mt19937 random(19);
    for (auto _ : state)
        benchmark::DoNotOptimize(tree.positionFromCrLf(random() % tree.length()));
}
BENCHMARK(BM_PieceTreePositionFromCrLf);

} // namespace
