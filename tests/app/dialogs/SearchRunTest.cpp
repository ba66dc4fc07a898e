// Regular expression runs: what the expression sees around the search point, line breaks,
// wrapping onto replaced text and characters outside the basic plane.
#include "dialogs/ReplaceAll.h"

#include <gtest/gtest.h>
#include <random>

using namespace penlark;

namespace {

// An editor whose selection is never a match: a run that only finds.
struct NoEditor : SearchEditor {
    int32_t selStart() const override { return 0; }
    int32_t selLength() const override { return 0; }
    QString selText() const override { return {}; }
    void replaceSel(const QString&) override {}
};

// Replace all over the whole text from the caret, answering every wrap question with yes.
QString replaceAll(const QString& text, const QString& pattern, const QString& replacement,
                   int32_t caret = 0, int32_t flags = searchflags::RegExp) {
    RunStart start;
    start.matchPosition = start.limit = caret;
    SearchRun run(SearchDirection::Whole, flags, pattern, replacement, 0, text, {}, start);
    const ReplaceAllResult result =
        ReplaceAll(run, caret, 0, {}, [](const QString&) { return true; });
    QString changed = text;
    if (result.changed)
        changed.replace(result.changeStart, result.changeLength, result.changeText);
    return changed;
}

// The matches a find-only run selects, in order, as (start, length).
std::vector<std::pair<int32_t, int32_t>> findAll(const QString& text, const QString& pattern) {
    RunStart start;
    SearchRun run(SearchDirection::Whole, searchflags::RegExp, pattern, {}, 0, text, {}, start);
    NoEditor editor;
    std::vector<std::pair<int32_t, int32_t>> found;
    for (run.step(false, editor, {}); run.matchPosition() != 0; run.step(false, editor, {}))
        found.emplace_back(run.matchPosition() - 1, run.matchLength());
    return found;
}

using Spans = std::vector<std::pair<int32_t, int32_t>>;

} // namespace

TEST(SearchRunContext, AnchorsAndLookbehindSeeTheTextBeforeTheSearchPoint) {
    EXPECT_EQ(replaceAll(u"   x"_qs, u"^ "_qs, {}), u"  x"_qs);
    EXPECT_EQ(replaceAll(u" a\r\n b"_qs, u"^ "_qs, {}), u"a\r\nb"_qs);
    EXPECT_EQ(replaceAll(u"catcat cat"_qs, u"\\bcat"_qs, u"dog"_qs), u"dogcat dog"_qs);
    EXPECT_EQ(replaceAll(u"catcat"_qs, u"\\Bcat"_qs, u"dog"_qs), u"catdog"_qs);
    EXPECT_EQ(replaceAll(u"10px 20px"_qs, u"(?<=\\d)px"_qs, {}), u"10 20"_qs);
    // From a caret mid-line, the text before the caret still counts.
    EXPECT_EQ(replaceAll(u"ab ab"_qs, u"\\bb"_qs, u"X"_qs, 1), u"ab ab"_qs);
}

TEST(SearchRunContext, LiteralRunAfterWrapStopsBeforeReplacedText) {
    EXPECT_EQ(replaceAll(u"aab"_qs, u"ab"_qs, u"b"_qs, 1, 0), u"ab"_qs);
    EXPECT_EQ(replaceAll(u"aab"_qs, u"ab"_qs, u"b"_qs, 1), u"ab"_qs);
    EXPECT_EQ(replaceAll(u"xaab"_qs, u"a+b"_qs, u"b"_qs, 2), u"xab"_qs);
    // Without a replacement at the caret, a match across it is found after the wrap.
    EXPECT_EQ(replaceAll(u"aab"_qs, u"aa"_qs, u"c"_qs, 1, 0), u"cb"_qs);
}

TEST(SearchRunLineBreaks, MatchesNeverSplitACrLf) {
    EXPECT_EQ(replaceAll(u"a  \r\nb  \r\nc"_qs, u"\\s+$"_qs, {}), u"a\r\nb\r\nc"_qs);
    // A dot never takes the LF of a line break.
    EXPECT_EQ(findAll(u"ab\r\ncd"_qs, u".+"_qs), (Spans{{0, 2}, {1, 1}, {4, 2}, {5, 1}}));
    // A match ending after the CR takes the LF as well.
    EXPECT_EQ(findAll(u"a\r\nb"_qs, u"a\\r"_qs), (Spans{{0, 3}}));
    EXPECT_EQ(replaceAll(u"a\r\nb"_qs, u"\\r"_qs, u"-"_qs), u"a-b"_qs);
}

TEST(SearchRunLineBreaks, ReplacementBreaksBecomeCrLf) {
    EXPECT_EQ(replaceAll(u"a,b,c"_qs, u","_qs, u"\\n"_qs), u"a\r\nb\r\nc"_qs);
    EXPECT_EQ(replaceAll(u"a,b"_qs, u","_qs, u"\r"_qs, 0, 0), u"a\r\nb"_qs);
    // Positions after a piece that grew stay in step.
    EXPECT_EQ(replaceAll(u"x-x-"_qs, u"x(-)"_qs, u"$1\\r"_qs), u"-\r\n-\r\n"_qs);
}

TEST(SearchRunSurrogates, EmptyMatchesAndRestartsStepOverWholeCharacters) {
    const QString clef = u"\U0001D11E"_qs;
    // An empty alternative at each position must not land between the two halves.
    EXPECT_EQ(findAll(clef + clef + u"a"_qs, u"a*"_qs), (Spans{{4, 1}}));
    EXPECT_EQ(replaceAll(clef + clef, u"."_qs, u"x"_qs), u"xx"_qs);
    EXPECT_EQ(findAll(clef + clef, u"\\S"_qs), (Spans{{0, 2}, {2, 2}}));
}

namespace {

// Every voiced and semi-voiced half-width katakana, and the full-width character it makes.
const QString HalfWidthVoiced = u"ｳﾞｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾜﾞｦﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"_qs;
const QString FullWidthVoiced = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボヷヺパピプペポ"_qs;

constexpr int32_t IgnoreWidth = searchflags::IgnoreCase | searchflags::IgnoreWidth;

// The matches a literal width-insensitive run selects, in order, as (start, length).
Spans findWidth(const QString& text, const QString& pattern,
                SearchDirection direction = SearchDirection::Whole) {
    RunStart start;
    if (direction == SearchDirection::Up)
        start.matchPosition = start.limit = static_cast<int32_t>(text.size()) + 1;
    SearchRun run(direction, IgnoreWidth, pattern, {}, 0, text, {}, start);
    NoEditor editor;
    Spans found;
    const auto yes = [](const QString&) { return true; };
    for (run.step(false, editor, yes); run.matchPosition() != 0; run.step(false, editor, yes))
        found.emplace_back(run.matchPosition() - 1, run.matchLength());
    return found;
}

} // namespace

TEST(SearchRunWidth, EveryVoicedHalfWidthKanaMatchesItsFullWidthCharacter) {
    ASSERT_EQ(HalfWidthVoiced.size(), 2 * FullWidthVoiced.size());
    for (qsizetype k = 0; k < FullWidthVoiced.size(); ++k) {
        const QString half = HalfWidthVoiced.mid(2 * k, 2);
        const QString full = FullWidthVoiced.mid(k, 1);
        // The span is the original text's: two characters for the half-width pair.
        EXPECT_EQ(findWidth(u"x"_qs + half + u"x"_qs + full, full), (Spans{{1, 2}, {4, 1}})) << k;
        EXPECT_EQ(findWidth(u"x"_qs + full + u"x"_qs + half, half), (Spans{{1, 1}, {3, 2}})) << k;
        EXPECT_FALSE(TextsDiffer(half, full, IgnoreWidth)) << k;
    }
    EXPECT_EQ(findWidth(FullWidthVoiced, HalfWidthVoiced),
              (Spans{{0, int32_t(FullWidthVoiced.size())}}));
}

TEST(SearchRunWidth, VoicedKanaInWordsForwardBackwardAndReplaced) {
    const QString text = u"ﾃﾞｨﾚｸﾄﾘ と ディレクトリ"_qs;
    EXPECT_EQ(findWidth(text, u"ディレクトリ"_qs), (Spans{{0, 7}, {10, 6}}));
    EXPECT_EQ(findWidth(text, u"ﾃﾞｨﾚｸﾄﾘ"_qs, SearchDirection::Up), (Spans{{10, 6}, {0, 7}}));
    // A katakana whose mark makes it another character no longer matches alone.
    EXPECT_EQ(findWidth(u"ﾃﾞﾃ"_qs, u"テ"_qs), (Spans{{2, 1}}));
    EXPECT_EQ(replaceAll(text, u"ディレクトリ"_qs, u"dir"_qs, 0, IgnoreWidth), u"dir と dir"_qs);
    EXPECT_EQ(replaceAll(u"ﾊﾟﾊﾟｲﾔ"_qs, u"パ"_qs, u"ぱ"_qs, 0, IgnoreWidth), u"ぱぱｲﾔ"_qs);
}

namespace {

// What a run finds (find-only, as (start, length)) and what replace all makes of the text,
// reading the text a given number of characters at a time.
struct Outcome {
    Spans found;
    QString replaced;
    bool operator==(const Outcome&) const = default;
};

Outcome runStretched(const QString& text, const QString& pattern, int32_t flags,
                     SearchDirection direction, int32_t caret, qsizetype stretch) {
    const auto yes = [](const QString&) { return true; };
    RunStart start;
    start.matchPosition = start.limit = caret;
    Outcome outcome;
    {
        SearchRun run(direction, flags, pattern, {}, 0, text, {}, start);
        run.setStretch(stretch);
        NoEditor editor;
        for (run.step(false, editor, yes); run.matchPosition() != 0 && outcome.found.size() < 99;
             run.step(false, editor, yes))
            outcome.found.emplace_back(run.matchPosition() - 1, run.matchLength());
    }
    // The piece composes with sound marks around it.
    SearchRun run(direction, flags, pattern, u"ﾞ$&ｶ"_qs, 0, text, {}, start);
    run.setStretch(stretch);
    const ReplaceAllResult result = ReplaceAll(run, caret, 0, {}, yes);
    outcome.replaced = text;
    if (result.changed)
        outcome.replaced.replace(result.changeStart, result.changeLength, result.changeText);
    return outcome;
}

} // namespace

// The run reads a large text a stretch at a time; matches across the stretches' borders, and
// expressions that look ahead or behind, find the same as over the whole text at once.
TEST(SearchRunStretches, TinyStretchesFindWhatOneStretchFinds) {
    const QStringList pieces = {u"a"_qs,  u"b"_qs,  u" "_qs,  u"\r\n"_qs, u"A"_qs,
                                u"ｶ"_qs,  u"ﾞ"_qs,  u"ガ"_qs, u"カ"_qs,   u"\U0001D11E"_qs,
                                u"ab"_qs, u"ｶﾞ"_qs, u"x"_qs};
    struct Search {
        QString pattern;
        int32_t flags;
    };
    const int32_t rx = searchflags::RegExp;
    const std::vector<Search> searches = {
        {u"ab"_qs, 0},
        {u"a"_qs, searchflags::IgnoreCase},
        {u"ガa"_qs, searchflags::IgnoreCase | searchflags::IgnoreWidth},
        {u"ｶﾞ"_qs, searchflags::IgnoreCase | searchflags::IgnoreWidth},
        {u"b\r\na"_qs, 0},
        {u"a+b"_qs, rx},
        {u"b$"_qs, rx},
        {u"^a"_qs, rx},
        {u"\\bab"_qs, rx},
        {u"a(?=b)"_qs, rx},
        {u"a(?!b)"_qs, rx},
        {u"(?<=a)b"_qs, rx},
        {u".+"_qs, rx},
        {u"\\s+$"_qs, rx},
        {u"a[\\s\\S]*b"_qs, rx},
        {u"a\\r"_qs, rx},
        {u"x*"_qs, rx},
        {u"\\S"_qs, rx},
        {u"A.*?b"_qs, rx | searchflags::IgnoreCase},
    };
    std::mt19937 random(2026);
    for (int round = 0; round < 150; ++round) {
        QString text;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i)
            text += pieces[static_cast<qsizetype>(random() % pieces.size())];
        const auto caret = static_cast<int32_t>(random() % (text.size() + 1));
        for (const Search& search : searches) {
            for (const SearchDirection direction : {SearchDirection::Whole, SearchDirection::Up}) {
                if (direction == SearchDirection::Up && search.flags & rx)
                    continue;
                const int32_t from = direction == SearchDirection::Up ? caret + 1 : caret;
                const Outcome whole =
                    runStretched(text, search.pattern, search.flags, direction, from, 1 << 20);
                for (const qsizetype stretch : {1, 2, 3, 5, 8}) {
                    ASSERT_EQ(
                        runStretched(text, search.pattern, search.flags, direction, from, stretch),
                        whole)
                        << "text " << text.toStdString() << " pattern "
                        << search.pattern.toStdString() << " stretch " << stretch << " caret "
                        << from << " up " << (direction == SearchDirection::Up);
                }
            }
        }
    }
}
