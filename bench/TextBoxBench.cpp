#include "BenchSupport.h"

#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// One repaint of a box with every mark on (argument 1) or none, over a line of 5 MB full of
// full-width spaces and tabs, with the caret in its middle: only the segments on screen may be
// looked at.
void BM_TextBoxPaintMarksOnLongLine(benchmark::State& state) {
    ensureApplication();
    orvenly::TextBox box;
    box.resize(800, 600);
    if (state.range(0) != 0)
        box.setMarks(orvenly::TextBox::Mark::FullWidthSpace | orvenly::TextBox::Mark::Tab |
                     orvenly::TextBox::Mark::LineEnd | orvenly::TextBox::Mark::EndOfFile);
    else
        box.setMarks({});
    box.storage().setText(u"全\u3000a\tb"_s.repeated(1'000'000) + u"\nend"_s);
    showExposed(box);
    box.setCursorPosition(2'500'000);
    for (auto _ : state)
        box.viewport()->repaint();
}
BENCHMARK(BM_TextBoxPaintMarksOnLongLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
