#include <orvenly/TDB.h>
#include <platform/Cp932.h>

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// About 10 MB of forms in the block format, each built from templates and macros, in code
// page 932 with CR LF breaks; written once.
struct BlockFile {
    BlockFile() {
        QString text = u"; forms of a large application\r\n"
                       u"% DIR c:\\\\program files\\\\ardenfall\r\n"
                       u"% TITLE \"テキスト \\\"エディタ\\\"\"\r\n"
                       u"BEGIN % base\r\nColor &H80000005\r\nFont \"ＭＳ ゴシック\"\r\n"
                       u"BEGIN Border b\r\nWidth 1\r\nStyle solid\r\nEND\r\nEND\r\n"
                       u"BEGIN % button\r\n%base\r\nHeight 24\r\nWidth 80\r\nEND\r\n"_s;
        for (int i = 0; text.size() < 10'000'000; ++i) {
            const QString n = QString::number(i);
            text += u"BEGIN Form form"_s + n + u"\r\n%base\r\nCaption \"%TITLE - 画面 "_s + n +
                    u"\"\r\nPath \"%DIR\\\\forms\\\\form"_s + n +
                    u".frm\"\r\nLeft 120\r\nTop 240\r\n"_s;
            for (const char16_t* button : {u"ok", u"cancel", u"help"})
                text += u"BEGIN Button "_s + QString::fromUtf16(button) + n +
                        u"\r\n%button\r\nCaption "_s + QString::fromUtf16(button) +
                        u"\r\nEND\r\n"_s;
            text += u"END\r\n"_s;
        }
        bytes = platform::cp932::encode(text);
        path = dir.filePath(u"forms.txt"_s);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the benchmark's block file");
    }

    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
};

const BlockFile& blockFile() {
    static const BlockFile file;
    return file;
}

void BM_TreeLoadBlocks10MB(benchmark::State& state) {
    const BlockFile& file = blockFile();
    for (auto _ : state) {
        orvenly::TDB db;
        if (!db.LoadDataBase(file.path, orvenly::TDBF_STD))
            state.SkipWithError("the block file does not load");
        benchmark::DoNotOptimize(db.RootNodes()->Count());
    }
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}

void BM_TreeSaveIni(benchmark::State& state) {
    const BlockFile& file = blockFile();
    orvenly::TDB db;
    if (!db.LoadDataBase(file.path, orvenly::TDBF_STD))
        state.SkipWithError("the block file does not load");
    const QString saved = file.dir.filePath(u"forms.ini"_s);
    for (auto _ : state)
        if (!db.SaveDataBase(saved, orvenly::TDBF_INI))
            state.SkipWithError("the tree is not saved");
    state.SetBytesProcessed(state.iterations() * QFile(saved).size());
}

void BM_TreeLoadSavedIni(benchmark::State& state) {
    const BlockFile& file = blockFile();
    const QString saved = file.dir.filePath(u"forms-tree.ini"_s);
    {
        orvenly::TDB db;
        if (!db.LoadDataBase(file.path, orvenly::TDBF_STD) ||
            !db.SaveDataBase(saved, orvenly::TDBF_INI))
            state.SkipWithError("the tree is not saved");
    }
    for (auto _ : state) {
        orvenly::TDB db;
        if (!db.LoadDataBase(saved, orvenly::TDBF_INI_TREE))
            state.SkipWithError("the saved tree does not load");
        benchmark::DoNotOptimize(db.RootNodes()->Count());
    }
    state.SetBytesProcessed(state.iterations() * QFile(saved).size());
}

} // namespace

BENCHMARK(BM_TreeLoadBlocks10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeSaveIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeLoadSavedIni)->Unit(benchmark::kMillisecond);
