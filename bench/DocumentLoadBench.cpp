#include "BenchFiles.h"
#include "BenchSupport.h"

#include "common/Settings.h"
#include "shell/ChildWindow.h"
#include "shell/DocumentHost.h"

#include <platform/Cp932.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <benchmark/benchmark.h>
#include <orvenly/TextBox.h>

using namespace Qt::StringLiterals;

namespace {

// A frame that does nothing with what its documents tell it.
class QuietHost : public penlark::DocumentHost {
public:
    QMdiArea& documentArea() override { return m_area; }
    const penlark::cSettings& settings() const override { return m_settings; }
    void OnDocumentLoad(penlark::ChildWindow&) override {}
    void OnDocumentActivate(penlark::ChildWindow&) override {}
    void OnDocumentCaption(penlark::ChildWindow&) override {}
    void OnDocumentQueryUnload(penlark::ChildWindow&, bool&, int) override {}
    QMenu* RefreshEditMenu() override { return nullptr; }
    void DragOverFiles(const QMimeData&, Qt::DropAction&) override {}
    void DropFiles(const QMimeData&) override {}

private:
    QMdiArea m_area;
    penlark::cSettings m_settings;
};

// About 50 MB of Japanese prose and ASCII in Shift_JIS with CR LF breaks.
struct LargeFile {
    LargeFile() : name(benchfiles::largeTextFile()) {
        QFile read(name);
        read.open(QIODevice::ReadOnly);
        text = platform::cp932::decode(read.readAll());
        text.replace(u"\r\n"_s, u"\n"_s);
    }
    QString name;
    QString text; // as the box gets it: LF breaks
};

const LargeFile& largeFile() {
    static const LargeFile file;
    return file;
}

void BM_LoadDocument(benchmark::State& state) {
    ensureApplication();
    const LargeFile& file = largeFile();
    QuietHost host;
    penlark::ChildWindow window(host);
    window.resize(800, 600);
    showExposed(window);
    // Until the first screen of the file is painted.
    for (auto _ : state) {
        if (!window.LoadDocument(file.name, true))
            state.SkipWithError("load failed");
        window.txtEdit().viewport()->repaint();
    }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

// The box alone taking the same text: the speed to stay near.
void BM_PlainTextSetPlainText(benchmark::State& state) {
    ensureApplication();
    const LargeFile& file = largeFile();
    QPlainTextEdit box;
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    for (auto _ : state)
        box.setPlainText(file.text);
}
BENCHMARK(BM_PlainTextSetPlainText)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
