// Find and replace on a 10 MB document with 100,000 matches, through the dialog and into
// the editor.
#include "BenchSupport.h"

#include "dialogs/cDlgReplace.h"

#include <orvenly/Modal.h>
#include <orvenly/TextEditor.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <orvenly/TextBox.h>

using namespace Qt::StringLiterals;

namespace {

// 100,000 lines of 100 characters (10 MB with CR LF), each holding one "#".
const QString& document() {
    static const QString text = [] {
        const QString filler = u"abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 "
                               u"かなカナ漢字、。abcdefghijklmnopqrstuvwxyz!?"_s;
        QString result;
        result.reserve(qsizetype{100000} * 102);
        for (int i = 0; i < 100000; ++i) {
            const int at = i % 97;
            result += QStringView(filler).first(at);
            result += u'#';
            result += QStringView(filler).sliced(at, 97 - at);
            result += u"\r\n"_s;
        }
        return result;
    }();
    return text;
}

// Makes the application before the fixture's widgets.
struct Fixture : ApplicationFirst {
    Fixture() {
        editor.Load(&box);
        dialog.SetTarget(&editor);
        orvenly::modal::setResponder([](const orvenly::modal::Request&) {
            return std::optional<orvenly::modal::Answer>(orvenly::modal::Answer{1, {}});
        });
    }
    ~Fixture() { orvenly::modal::setResponder({}); }
    template <class T> T& control(const char* name) {
        return *dialog.findChild<T*>(QString::fromLatin1(name));
    }
    void replaceAll(const QString& pattern, const QString& replacement, bool regex,
                    benchmark::State& state) {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activation);
        dialog.SetStyle(1);
        control<QCheckBox>("chkRegExp").setChecked(regex);
        control<QComboBox>("cboSrc").setEditText(pattern);
        control<QComboBox>("cboDest").setEditText(replacement);
        for (auto _ : state) {
            state.PauseTiming();
            editor.SetText(document());
            editor.SetSelStart(0);
            state.ResumeTiming();
            control<QPushButton>("cmdAll").click();
        }
        if (editor.Text().count(u'#') != 0)
            state.SkipWithError("matches left");
    }

    orvenly::TextBox box;
    orvenly::TextEditor editor;
    penlark::cDlgReplace dialog;
};

void BM_ReplaceAllLiteral(benchmark::State& state) {
    Fixture fixture;
    fixture.replaceAll(u"#"_s, u"$"_s, false, state);
}
BENCHMARK(BM_ReplaceAllLiteral)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplaceAllRegexGroup(benchmark::State& state) {
    Fixture fixture;
    fixture.replaceAll(u"#(.)"_s, u"[$1]"_s, true, state);
}
BENCHMARK(BM_ReplaceAllRegexGroup)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindNext1000(benchmark::State& state) {
    Fixture fixture;
    fixture.editor.SetText(document());
    fixture.control<QComboBox>("cboSrc").setEditText(u"#"_s);
    for (auto _ : state) {
        state.PauseTiming();
        fixture.editor.SetSelStart(0);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            fixture.dialog.SearchNext();
    }
    if (fixture.editor.SelStart() < 99000)
        state.SkipWithError("did not walk the document");
}
BENCHMARK(BM_FindNext1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
