#include <platform/Cp932.h>

#include <benchmark/benchmark.h>
#include <iconv.h>

using namespace Qt::StringLiterals;

namespace {

// Japanese prose with ASCII words, numbers, half-width katakana and CR LF line breaks, as
// in the files the editor opens.
QString mixedText(qsizetype bytes) {
    const QString lines[] = {
        u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。\r\n"_s,
        u"The quick brown fox jumps over the lazy dog; 0123456789 (ASCII only).\r\n"_s,
        u"第3章　ＵＴＦ－１６とShift_JISの変換について、2024年4月1日に検討した。\r\n"_s,
        u"ｶﾀｶﾅ表記のﾃｷｽﾄもあります。①②③ ⅠⅡⅢ ㈱ 〒100-0001 東京都千代田区\r\n"_s,
        u"    if (value > 0) { return \"結果\"; } // コメント：値を返す\r\n"_s,
        u"「こんにちは」と彼女は言った。――それから、静かに窓の外を眺めた。\r\n"_s,
        u"\r\n"_s,
    };
    QString block;
    for (const QString& line : lines)
        block += line;
    const qsizetype blockBytes = platform::cp932::encode(block).size();
    QString text;
    for (qsizetype size = 0; size < bytes; size += blockBytes)
        text += block;
    return text;
}

void BM_Cp932Decode(benchmark::State& state) {
    const QByteArray bytes = platform::cp932::encode(mixedText(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::cp932::decode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_Cp932Encode(benchmark::State& state) {
    const QString text = mixedText(state.range(0));
    const qsizetype size = platform::cp932::encode(text).size();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::cp932::encode(text));
    state.SetBytesProcessed(state.iterations() * size);
}

// glibc's converter on the same text and output sizes, the speed to beat.
size_t iconvRun(const char* to, const char* from, const char* in, size_t inSize, char* out,
                size_t outSize) {
    iconv_t cd = iconv_open(to, from);
    if (reinterpret_cast<intptr_t>(cd) == -1)
        return 0;
    auto* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    iconv(cd, &inPtr, &inSize, &outPtr, &outSize);
    iconv_close(cd);
    return static_cast<size_t>(outPtr - out);
}

void BM_IconvDecode(benchmark::State& state) {
    const QByteArray bytes = platform::cp932::encode(mixedText(state.range(0)));
    for (auto _ : state) {
        QString text(bytes.size(), Qt::Uninitialized);
        const size_t written =
            iconvRun("UTF-16LE", "CP932", bytes.constData(), static_cast<size_t>(bytes.size()),
                     reinterpret_cast<char*>(text.data()), static_cast<size_t>(text.size()) * 2);
        if (written == 0) {
            state.SkipWithError("iconv cannot decode CP932");
            break;
        }
        text.resize(static_cast<qsizetype>(written / 2));
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_IconvEncode(benchmark::State& state) {
    const QString text = mixedText(state.range(0));
    const qsizetype size = platform::cp932::encode(text).size();
    for (auto _ : state) {
        QByteArray bytes(text.size() * 2, Qt::Uninitialized);
        const size_t written = iconvRun(
            "CP932", "UTF-16LE", reinterpret_cast<const char*>(text.constData()),
            static_cast<size_t>(text.size()) * 2, bytes.data(), static_cast<size_t>(bytes.size()));
        if (written == 0) {
            state.SkipWithError("iconv cannot encode CP932");
            break;
        }
        bytes.resize(static_cast<qsizetype>(written));
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * size);
}

constexpr int64_t FewMegabytes = 4 << 20;
constexpr int64_t LargeFile = 31 << 20;

} // namespace

BENCHMARK(BM_Cp932Decode)->Arg(FewMegabytes)->Arg(LargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cp932Encode)->Arg(FewMegabytes)->Arg(LargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvDecode)->Arg(FewMegabytes)->Arg(LargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvEncode)->Arg(FewMegabytes)->Arg(LargeFile)->Unit(benchmark::kMillisecond);
