#include "BenchFiles.h"
#include "BenchSupport.h"

#include "dialogs/SearchRun.h"

#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>
#include <orvenly/TextConversion.h>
#include <platform/ReadableFile.h>

#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

// The text box over its piece tree, on the 500 MB Shift_JIS CSV: open, type, move, find. Each
// step that a person waits for ends with the box painted. Run with the others filtered out
// to read a peak of memory that is the open's own: --benchmark_filter=TextBox
namespace {

// A field of /proc/self/status, in bytes.
double statusBytes(const char* field) {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() * 1024;
    }
    return 0;
}

// Starts the peak resident size (VmHWM) again from what is resident now.
void resetPeak() {
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

struct OpenDocument : ApplicationFirst {
    orvenly::PieceTree tree;
    orvenly::TextBox box;
};

// Never destroyed, like the application: a widget cannot outlive Qt's own statics.
std::unique_ptr<OpenDocument>& openDocument() {
    static auto* document = new std::unique_ptr<OpenDocument>;
    return *document;
}

struct OpenTimes {
    qint64 read = 0, decode = 0, store = 0, show = 0;
};

// Opens the CSV as the program does: one read of the file, the charset engine's decode,
// the text moved into the tree, and the box showing its first screen.
OpenTimes openCsv(const QString& path) {
    OpenTimes times;
    openDocument().reset();
    auto document = std::make_unique<OpenDocument>();
    QElapsedTimer clock;
    clock.start();
    {
        platform::ReadableFile file(path);
        QByteArray bytes = file.readAll(std::numeric_limits<int64_t>::max());
        times.read = clock.restart();
        orvenly::DecodedText decoded = orvenly::decodeText(
            bytes, orvenly::TextForm(orvenly::SCS_UNKNOWN), orvenly::SLB_UNKNOWN);
        times.decode = clock.restart();
        bytes = {};
        document->tree.setText(std::move(decoded.text));
        times.store = clock.restart();
    }
    orvenly::TextBox& box = document->box;
    box.setStorage(document->tree);
    box.resize(800, 600);
    showExposed(box);
    box.activateWindow();
    box.setFocus();
    box.viewport()->repaint();
    times.show = clock.restart();
    openDocument() = std::move(document);
    return times;
}

OpenDocument& csvDocument() {
    if (!openDocument())
        openCsv(benchfiles::largeCsvFile());
    return *openDocument();
}

// A key as the window system delivers it, then the box painted as the user sees it.
void press(orvenly::TextBox& box, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&box, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(&box, &up);
    box.viewport()->repaint();
    QCoreApplication::processEvents();
}

// The box forgets the lines it has laid out, as after a jump to a part of the text not seen.
void forgetLayouts(orvenly::TextBox& box) {
    box.setTabStopDistance(box.tabStopDistance());
    box.viewport()->repaint();
}

// What find next does when it starts a run, as after any edit: a run over the document's text
// from the selection's end, which it reads a stretch at a time, and one step.
struct NoEditor : penlark::SearchEditor {
    int32_t selStart() const override { return 0; }
    int32_t selLength() const override { return 0; }
    QString selText() const override { return {}; }
    void replaceSel(const QString&) override {}
};

qsizetype findNext(const orvenly::PieceTree& tree, qsizetype from, const QString& needle,
                   int32_t flags = 0) {
    const qsizetype crLfFrom = tree.crLfPosition(from);
    penlark::RunStart start;
    start.matchPosition = start.limit = static_cast<int32_t>(crLfFrom);
    auto text = std::make_unique<penlark::DocumentText>(tree, 0);
    const auto length = static_cast<int32_t>(text->size());
    penlark::SearchRun run(penlark::SearchDirection::Down, flags, needle, {}, 0, length,
                           std::move(text), start);
    NoEditor editor;
    run.step(false, editor, [](const QString&) { return true; });
    return run.matchPosition() == 0 ? -1 : tree.positionFromCrLf(run.matchPosition() - 1);
}

void BM_TextBoxOpenCsv(benchmark::State& state) {
    ensureApplication();
    const QString path = benchfiles::largeCsvFile();
    OpenTimes times;
    double before = 0;
    for (auto _ : state) {
        openDocument().reset();
        before = statusBytes("VmRSS");
        resetPeak();
        times = openCsv(path);
    }
    const double peak = statusBytes("VmHWM");
    const double decoded = 2.0 * static_cast<double>(openDocument()->tree.length());
    constexpr double MiB = 1024 * 1024;
    state.counters["read_ms"] = static_cast<double>(times.read);
    state.counters["decode_ms"] = static_cast<double>(times.decode);
    state.counters["tree_ms"] = static_cast<double>(times.store);
    state.counters["show_ms"] = static_cast<double>(times.show);
    state.counters["text_MiB"] = decoded / MiB;
    state.counters["peak_MiB"] = peak / MiB;
    state.counters["peak_per_text"] = peak / decoded;
    state.counters["open_growth_per_text"] = (peak - before) / decoded;
    state.counters["lines"] = static_cast<double>(openDocument()->tree.lineCount());
}
BENCHMARK(BM_TextBoxOpenCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Typing: a letter a key, a new line every 60 keys.
void typeAway(benchmark::State& state, orvenly::TextBox& box) {
    int keys = 0;
    for (auto _ : state) {
        if (++keys % 60 == 0)
            press(box, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
        else
            press(box, Qt::Key_A, Qt::NoModifier, u"a"_s);
    }
}

void BM_TextBoxTypeAtEnd(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    box.setCursorPosition(box.storage().length());
    box.viewport()->repaint();
    typeAway(state, box);
}
BENCHMARK(BM_TextBoxTypeAtEnd)->Unit(benchmark::kMicrosecond);

void BM_TextBoxTypeInMiddle(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    const orvenly::PieceTree& tree = box.storage();
    box.setCursorPosition(tree.lineStart(tree.lineCount() / 2) + 20);
    box.viewport()->repaint();
    typeAway(state, box);
}
BENCHMARK(BM_TextBoxTypeInMiddle)->Unit(benchmark::kMicrosecond);

// From the top to the end, with the lines there laid out afresh each time.
void BM_TextBoxControlEnd(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    for (auto _ : state) {
        state.PauseTiming();
        press(box, Qt::Key_Home, Qt::ControlModifier);
        forgetLayouts(box);
        state.ResumeTiming();
        press(box, Qt::Key_End, Qt::ControlModifier);
    }
}
BENCHMARK(BM_TextBoxControlEnd)->Unit(benchmark::kMicrosecond);

// Each page is one not shown before.
void BM_TextBoxPageDown(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    const orvenly::PieceTree& tree = box.storage();
    box.setCursorPosition(0);
    for (auto _ : state) {
        if (tree.lineOf(box.cursorPosition()) + 100 >= tree.lineCount()) {
            state.PauseTiming();
            press(box, Qt::Key_Home, Qt::ControlModifier);
            state.ResumeTiming();
        }
        press(box, Qt::Key_PageDown);
    }
}
BENCHMARK(BM_TextBoxPageDown)->Unit(benchmark::kMicrosecond);

// Find next of a name that one row in about 300 holds, selecting and showing each match.
void BM_TextBoxFindNext(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    const QString needle = u"齋藤　さくら"_s;
    box.setCursorPosition(0);
    qsizetype distance = 0, steps = 0;
    for (auto _ : state) {
        const qsizetype at = findNext(box.storage(), box.selectionEnd(), needle);
        distance +=
            (at >= box.selectionEnd() ? 0 : box.storage().length()) + at - box.selectionEnd();
        ++steps;
        box.setSelection(at, at + needle.size());
        box.viewport()->repaint();
        QCoreApplication::processEvents();
    }
    state.counters["chars_searched"] = static_cast<double>(distance) / static_cast<double>(steps);
}
BENCHMARK(BM_TextBoxFindNext)->Unit(benchmark::kMicrosecond);

// A search that finds nothing reads the whole text: the bound on any find next. Literally
// (argument 0), ignoring case and width (1), by a regular expression (2).
void BM_TextBoxFindNothing(benchmark::State& state) {
    orvenly::TextBox& box = csvDocument().box;
    const int32_t flags[] = {0,
                             penlark::searchflags::IgnoreCase | penlark::searchflags::IgnoreWidth,
                             penlark::searchflags::RegExp};
    const QString needles[] = {u"存在しない語"_s, u"存在しない語"_s, u"存在[しな]+い\\d語"_s};
    const auto kind = static_cast<std::size_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(findNext(box.storage(), 0, needles[kind], flags[kind]));
    state.counters["chars"] = static_cast<double>(box.storage().length());
}
BENCHMARK(BM_TextBoxFindNothing)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

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
