// The replace-all loop on large generated texts, against simple references.
#include "dialogs/ReplaceAll.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace penlark;

namespace {

QString generated(qsizetype size, const QString& alphabet, quint32 seed) {
    QRandomGenerator random(seed);
    QString text(size, Qt::Uninitialized);
    for (QChar& c : text)
        c = alphabet[random.bounded(static_cast<int>(alphabet.size()))];
    return text;
}

struct Outcome {
    QString text;
    int32_t found = 0;
    int32_t replaced = 0;
};

// Replace all over the whole text, from the caret, answering every wrap question with yes.
Outcome replaceAll(const QString& text, SearchDirection direction, int32_t flags,
                   const QString& pattern, const QString& replacement, int32_t caret) {
    const bool up = direction == SearchDirection::Up;
    RunStart start;
    start.matchPosition = start.limit = up ? caret + 1 : caret;
    SearchRun run(direction, flags, pattern, replacement, 0, text, {}, start);
    const ReplaceAllResult result =
        ReplaceAll(run, caret, 0, {}, [](const QString&) { return true; });
    Outcome outcome;
    outcome.text = text;
    if (result.changed)
        outcome.text.replace(result.changeStart, result.changeLength, result.changeText);
    outcome.found = run.foundCount();
    outcome.replaced = run.replacedCount();
    return outcome;
}

} // namespace

TEST(ReplaceAllLarge, LiteralFromAnyCaretInEveryDirection) {
    const QString text = generated(200000, u"abcd\r\n"_qs, 1);
    const QString expected = QString(text).replace(u"ab"_qs, u"[x]"_qs);
    const auto matches = static_cast<int32_t>(text.count(u"ab"_qs));
    ASSERT_GT(matches, 1000);
    // Backwards, a match across the caret lies after the start and is left alone.
    ASSERT_NE(text.mid(77776, 2), u"ab"_qs);
    for (const SearchDirection direction :
         {SearchDirection::Whole, SearchDirection::Down, SearchDirection::Up}) {
        for (const int32_t caret : {0, 77777, 200000}) {
            const Outcome outcome = replaceAll(text, direction, 0, u"ab"_qs, u"[x]"_qs, caret);
            EXPECT_EQ(outcome.text, expected) << int(direction) << " " << caret;
            EXPECT_EQ(outcome.found, matches);
            EXPECT_EQ(outcome.replaced, matches);
        }
    }
}

TEST(ReplaceAllLarge, IgnoringCaseAndWidth) {
    const QString text = generated(100000, u"aAｂbB c"_qs, 2);
    const QString expected = QString(text).replace(QRegularExpression(u"[aA][bBｂ]"_qs), u"-"_qs);
    EXPECT_EQ(replaceAll(text, SearchDirection::Whole,
                         searchflags::IgnoreCase | searchflags::IgnoreWidth, u"AB"_qs, u"-"_qs, 500)
                  .text,
              expected);
    const QString caseOnly = QString(text).replace(u"ab"_qs, u"-"_qs, Qt::CaseInsensitive);
    EXPECT_EQ(
        replaceAll(text, SearchDirection::Whole, searchflags::IgnoreCase, u"Ab"_qs, u"-"_qs, 0)
            .text,
        caseOnly);
}

TEST(ReplaceAllLarge, RegularExpressionWithGroupsAndEscapes) {
    const QString text = generated(200000, u"aab c\\\r\n"_qs, 3);
    const QRegularExpression pattern(u"(a+)(\\\\?)b"_qs);
    QString expected;
    qsizetype copied = 0;
    int32_t count = 0;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text)) {
        expected += QStringView(text).sliced(copied, match.capturedStart() - copied);
        expected += u'<' + match.captured(1).toUpper() + u'\t' + match.captured(2) + u'>';
        copied = match.capturedEnd();
        ++count;
    }
    expected += QStringView(text).sliced(copied);
    const Outcome outcome = replaceAll(text, SearchDirection::Whole, searchflags::RegExp,
                                       pattern.pattern(), u"<\\U$1\\E\\t$2>"_qs, 0);
    EXPECT_EQ(outcome.text, expected);
    EXPECT_EQ(outcome.replaced, count);
}

TEST(ReplaceAllLarge, ReplacementContainingThePatternEndsOnce) {
    const QString text = generated(50000, u"ab"_qs, 4);
    const auto matches = static_cast<int32_t>(text.count(u'a'));
    for (const int32_t caret : {0, 25000}) {
        const Outcome outcome =
            replaceAll(text, SearchDirection::Whole, 0, u"a"_qs, u"aa"_qs, caret);
        EXPECT_EQ(outcome.text, QString(text).replace(u"a"_qs, u"aa"_qs));
        EXPECT_EQ(outcome.replaced, matches);
    }
}

TEST(ReplaceAll, EditNeverSplitsALineBreak) {
    RunStart start;
    SearchRun run(SearchDirection::Whole, searchflags::RegExp, u"\\r"_qs, u"X"_qs, 0, u"a\r\nb"_qs,
                  {}, start);
    const ReplaceAllResult result = ReplaceAll(run, 0, 0, {}, [](const QString&) { return true; });
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(result.changeStart, 1);
    EXPECT_EQ(result.changeLength, 2);
    EXPECT_EQ(result.changeText, u"X"_qs);
}
