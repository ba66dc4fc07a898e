#include "BenchSupport.h"

#include "common/Document.h"
#include "common/DocumentJournal.h"
#include "common/RecoveryFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A document of about 200 MB (near the largest a document opens), opened once, with a
// journal: what typing into it costs, and what the journal writes for it.
struct JournalledDocument : ApplicationFirst {
    JournalledDocument() {
        const QByteArray line = "The quick brown fox jumps over the lazy dog; 0123456789.\r\n";
        QByteArray block;
        for (int i = 0; i < 10000; ++i)
            block += line;
        QFile file(dir.filePath(u"large.txt"_s));
        file.open(QIODevice::WriteOnly);
        while (file.size() < 200'000'000)
            file.write(block);
        file.close();
        document.load(file.fileName(), {}, true);
    }
    QTemporaryDir dir;
    penlark::RecoveryFolder folder{dir.filePath(u"recovery"_s)};
    penlark::Document document;
    penlark::DocumentJournal journal{document, folder};
};

JournalledDocument& journalled() {
    static JournalledDocument fixture;
    return fixture;
}

// One keystroke into the text, as the box makes it: the journal only takes note.
void BM_KeystrokeWithJournal(benchmark::State& state) {
    JournalledDocument& fixture = journalled();
    int position = 1000;
    for (auto _ : state)
        fixture.document.applyEdit(position++, 0, u"あ"_s);
    fixture.journal.flush();
}
BENCHMARK(BM_KeystrokeWithJournal)->Unit(benchmark::kMicrosecond);

// A second of typing (twenty keystrokes) and the write that follows it: the bytes written
// per edit stay the size of the edit, whatever the size of the document.
void BM_JournalWriteAfterTyping(benchmark::State& state) {
    JournalledDocument& fixture = journalled();
    fixture.journal.flush();
    const qint64 before = fixture.journal.bytesWritten();
    int position = 2000;
    int64_t edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 20; ++i)
            fixture.document.applyEdit(position++, 0, u"い"_s);
        edits += 20;
        state.ResumeTiming();
        fixture.journal.flush();
    }
    state.counters["bytes_per_edit"] =
        double(fixture.journal.bytesWritten() - before) / double(std::max<int64_t>(edits, 1));
    state.counters["journal_bytes"] = double(QFile(fixture.journal.fileName()).size());
}
BENCHMARK(BM_JournalWriteAfterTyping)->Unit(benchmark::kMillisecond)->Iterations(60);

} // namespace
