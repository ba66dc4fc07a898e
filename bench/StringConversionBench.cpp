#include <orvenly/StringConversion.h>
#include <orvenly/Transcoding.h>
#include <platform/Cp932.h>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using orvenly::StringConversion;

constexpr qsizetype CorpusBytes = 4 << 20; // in Shift_JIS

// Random but reproducible Japanese text: sentences of kanji and kana with ASCII words,
// numbers, punctuation and half-width katakana, in lines of 10 to 80 characters with
// CR LF breaks (the form the editor holds).
QString japaneseText(qsizetype sjisBytes) {
    const QString kanji = QStringLiteral(
        "日本語文字変換東京都大阪市京都府年月日時分秒人間会社学校先生電話番号住所氏名"
        "表示設定保存読込開始終了確認削除追加編集検索置換印刷書式文書画面窓枠行列値型"
        "漢字仮名全角半角改行符号化方式規格情報処理技術者試験合格発表結果報告資料作成");
    const QString hiragana = QStringLiteral(
        "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
        "らりるれろわをんがぎぐげござじずぜぞだでどばびぶべぼぱぴぷぺぽっゃゅょ");
    const QString katakana = QStringLiteral(
        "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
        "ラリルレロワヲンガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポッャュョー");
    const QString narrowKana = QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｰﾞﾟ");
    const QString words[] = {QStringLiteral("Penlark"),   QStringLiteral("UTF-8"),
                             QStringLiteral("Shift_JIS"), QStringLiteral("2024"),
                             QStringLiteral("OK"),        QStringLiteral("file.txt"),
                             QStringLiteral("123-4567")};
    const QString punctuation = QStringLiteral("、。「」・（）！？　");

    std::mt19937 random(20240401);
    auto pick = [&random](const QString& set) {
        return QStringView(set).mid(qsizetype(random() % std::size_t(set.size())), 1);
    };
    QString text;
    qsizetype bytes = 0;
    auto append = [&](QStringView part) {
        text += part;
        for (QChar c : part) {
            bytes += platform::cp932::encodeChar(c.unicode()) >= 0x100 ? 2 : 1;
        }
    };
    while (bytes < sjisBytes) {
        const qsizetype lineLength = 10 + qsizetype(random() % 70);
        for (qsizetype i = 0; i < lineLength; ++i) {
            const unsigned kind = random() % 100;
            if (kind < 30) {
                append(pick(kanji));
            } else if (kind < 65) {
                append(pick(hiragana));
            } else if (kind < 75) {
                append(pick(katakana));
            } else if (kind < 80) {
                append(pick(narrowKana));
            } else if (kind < 88) {
                append(pick(punctuation));
            } else {
                append(u' ' + words[random() % std::size(words)] + u' ');
            }
        }
        append(u"\r\n");
    }
    return text;
}

// Every form of the same text, made once for all benchmarks.
struct Corpus {
    QString text = japaneseText(CorpusBytes);
    QString lfText = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QByteArray euc = StringConversion::instance().UnicodeToEuc(text);
    QByteArray jis = StringConversion::instance().UnicodeToJisBytes(text, false);
    QString jisString = QString::fromLatin1(jis);
    QByteArray sjis = platform::cp932::encode(text);
    qsizetype sjisSize = sjis.size();
    // 7-bit text without ESC decides nothing, so recognition reads all of it.
    QByteArray ascii =
        QByteArray("The quick brown fox jumps over the lazy dog.\r\n").repeated(CorpusBytes / 46);
};

const Corpus& corpus() {
    static const Corpus shared;
    return shared;
}

const StringConversion& engine() {
    return StringConversion::instance();
}

void BM_AnalyzingCharsetWholeAsciiText(benchmark::State& state) {
    const QByteArray& bytes = corpus().ascii;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().AnalyzingCharset(bytes, int32_t(bytes.size())));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Rewrites every LF into CR LF.
void BM_ConvertBreakCodeFromLf(benchmark::State& state) {
    for (auto _ : state) {
        QString text = corpus().lfText;
        benchmark::DoNotOptimize(engine().ConvertBreakCode(text));
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * corpus().lfText.size() * 2);
}

// Text that is already CR LF only needs counting.
void BM_ConvertBreakCodeFromCrLf(benchmark::State& state) {
    for (auto _ : state) {
        QString text = corpus().text;
        benchmark::DoNotOptimize(engine().ConvertBreakCode(text));
    }
    state.SetBytesProcessed(state.iterations() * corpus().text.size() * 2);
}

void BM_JisToUnicodeString(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().JisToUnicode(corpus().jisString));
    }
    state.SetBytesProcessed(state.iterations() * corpus().jis.size());
}

void BM_JisToUnicodeBytes(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().JisToUnicode(QByteArrayView(corpus().jis)));
    }
    state.SetBytesProcessed(state.iterations() * corpus().jis.size());
}

// Output sizes differ with the filter, so both count the Shift_JIS size of the text.
void BM_UnicodeToJis(benchmark::State& state) {
    const bool narrow = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().UnicodeToJis(corpus().text, narrow));
    }
    state.SetBytesProcessed(state.iterations() * corpus().sjisSize);
    state.SetLabel(narrow ? "narrow filtering" : "half-width kept");
}

void BM_UnicodeToJisBytes(benchmark::State& state) {
    const bool narrow = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().UnicodeToJisBytes(corpus().text, narrow));
    }
    state.SetBytesProcessed(state.iterations() * corpus().sjisSize);
    state.SetLabel(narrow ? "narrow filtering" : "half-width kept");
}

void BM_EucToUnicode(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().EucToUnicode(corpus().euc));
    }
    state.SetBytesProcessed(state.iterations() * corpus().euc.size());
}

void BM_UnicodeToEuc(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(engine().UnicodeToEuc(corpus().text));
    }
    state.SetBytesProcessed(state.iterations() * corpus().euc.size());
}

// Straight between the legacy charsets, the output handed on in pieces as a file would take it.
void BM_Transcode(benchmark::State& state) {
    const bool fromEuc = state.range(0) != 0;
    const QByteArray& input = fromEuc ? corpus().euc : corpus().sjis;
    const auto from = fromEuc ? orvenly::SCS_EUC : orvenly::SCS_SHIFTJIS;
    const auto to = fromEuc ? orvenly::SCS_SHIFTJIS : orvenly::SCS_EUC;
    for (auto _ : state) {
        orvenly::transcode(input, from, to, orvenly::SLB_CRLF, [](QByteArrayView piece) {
            benchmark::DoNotOptimize(piece.data());
            return true;
        });
    }
    state.SetBytesProcessed(state.iterations() * input.size());
    state.SetLabel(fromEuc ? "EUC-JP to Shift_JIS" : "Shift_JIS to EUC-JP");
}

void BM_CountLineBreaks(benchmark::State& state) {
    const bool euc = state.range(0) != 0;
    const QByteArray& input = euc ? corpus().euc : corpus().sjis;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            orvenly::countLineBreaks(input, euc ? orvenly::SCS_EUC : orvenly::SCS_SHIFTJIS));
    }
    state.SetBytesProcessed(state.iterations() * input.size());
    state.SetLabel(euc ? "EUC-JP" : "Shift_JIS");
}

BENCHMARK(BM_AnalyzingCharsetWholeAsciiText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertBreakCodeFromLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertBreakCodeFromCrLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToUnicodeString)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToUnicodeBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnicodeToJis)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnicodeToJisBytes)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToUnicode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnicodeToEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Transcode)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountLineBreaks)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
