#include "orvenly/PieceTree.h"
#include "orvenly/TextStorage.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <random>

using namespace Qt::StringLiterals;
using orvenly::PieceTree;

namespace {

// The same queries answered by scanning a plain string.
struct Model {
    QString text;

    qsizetype lineStart(qsizetype line) const {
        qsizetype at = 0;
        for (; line > 0; --line) {
            at = text.indexOf(u'\n', at);
            if (at < 0)
                return text.size();
            ++at;
        }
        return at;
    }
    qsizetype lineOf(qsizetype position) const { return text.first(position).count(u'\n'); }
    qsizetype lineEnd(qsizetype line) const {
        const qsizetype at = text.indexOf(u'\n', lineStart(line));
        return at < 0 ? text.size() : at;
    }
};

QString withLf(QString text) {
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
}

void expectSame(const PieceTree& tree, const Model& model, std::mt19937& random) {
    ASSERT_EQ(tree.text(), model.text);
    ASSERT_EQ(tree.length(), model.text.size());
    ASSERT_EQ(tree.lineCount(), model.text.count(u'\n') + 1);
    std::uniform_int_distribution<qsizetype> anyPosition(0, model.text.size());
    std::uniform_int_distribution<qsizetype> anyLine(0, tree.lineCount() - 1);
    for (int i = 0; i < 8; ++i) {
        const qsizetype position = anyPosition(random);
        const qsizetype line = anyLine(random);
        ASSERT_EQ(tree.lineOf(position), model.lineOf(position)) << position;
        ASSERT_EQ(tree.lineStart(line), model.lineStart(line)) << line;
        ASSERT_EQ(tree.lineEnd(line), model.lineEnd(line)) << line;
        ASSERT_EQ(tree.position(line, position),
                  std::min(model.lineEnd(line), model.lineStart(line) + position));
        const qsizetype crLf = position + model.lineOf(position);
        ASSERT_EQ(tree.crLfPosition(position), crLf);
        ASSERT_EQ(tree.positionFromCrLf(crLf), position);
        if (position < model.text.size()) {
            ASSERT_EQ(tree.charAt(position), model.text[position]);
        }
        const qsizetype length =
            std::min<qsizetype>(anyPosition(random) % 40, model.text.size() - position);
        ASSERT_EQ(tree.text(position, length), model.text.sliced(position, length));
    }
}

} // namespace

// Long random runs of edits, grouped edits, undo and redo against a string and its history
// of snapshots; every query is checked after every step.
TEST(PieceTreeTest, AgreesWithAStringUnderRandomEdits) {
    const QString pieces[] = {u"a"_s,    u"xyz"_s,    u"\n"_s,         u"\r\n"_s,     u"\r"_s,
                              u"あい"_s, u"漢字\n"_s, u"\U0001F600"_s, u"ｶﾀｶﾅ\n\n"_s, u"\t"_s};
    for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        PieceTree tree;
        Model model{withLf(u"first line\r\nsecond\rthird\nあいうえお\r\n"_s.repeated(20))};
        tree.setText(u"first line\r\nsecond\rthird\nあいうえお\r\n"_s.repeated(20));
        std::vector<QString> undone, done{model.text};
        for (int round = 0; round < 1500; ++round) {
            const int action = static_cast<int>(random() % 10);
            if (action < 6) {
                const int edits = 1 + static_cast<int>(random() % 3);
                bool recorded = false;
                tree.beginGroup();
                for (int i = 0; i < edits; ++i) {
                    const qsizetype at = random() % (model.text.size() + 1);
                    if (random() % 5 < 3) {
                        const QString text = pieces[random() % std::size(pieces)];
                        ASSERT_EQ(tree.insert(at, text), withLf(text).size());
                        model.text.insert(at, withLf(text));
                        recorded = true;
                    } else {
                        const qsizetype length = random() % 8;
                        recorded = recorded || (length > 0 && at < model.text.size());
                        tree.remove(at, length);
                        model.text.remove(at, length);
                    }
                }
                tree.endGroup();
                if (recorded) {
                    done.push_back(model.text);
                    undone.clear();
                }
            } else if (action < 8) {
                if (done.size() > 1) {
                    ASSERT_TRUE(tree.canUndo());
                    tree.undo();
                    undone.push_back(done.back());
                    done.pop_back();
                    model.text = done.back();
                }
            } else if (!undone.empty()) {
                ASSERT_TRUE(tree.canRedo());
                tree.redo();
                done.push_back(undone.back());
                undone.pop_back();
                model.text = done.back();
            }
            ASSERT_EQ(tree.canUndo(), done.size() > 1);
            ASSERT_EQ(tree.canRedo(), !undone.empty());
            expectSame(tree, model, random);
        }
    }
}

TEST(PieceTreeTest, EmptyOneCharacterAndBreaksAtPieceEdges) {
    PieceTree tree;
    EXPECT_EQ(tree.lineCount(), 1);
    EXPECT_EQ(tree.lineStart(0), 0);
    EXPECT_EQ(tree.lineEnd(0), 0);
    EXPECT_EQ(tree.lineOf(0), 0);
    EXPECT_EQ(tree.positionFromCrLf(5), 0);
    EXPECT_EQ(tree.undo(), -1);
    tree.remove(0, 3);
    EXPECT_FALSE(tree.canUndo());

    tree.insert(0, u"\r\n");
    EXPECT_EQ(tree.text(), u"\n");
    EXPECT_EQ(tree.lineCount(), 2);
    EXPECT_EQ(tree.lineStart(1), 1);
    EXPECT_EQ(tree.positionFromCrLf(1), 0); // between CR and LF
    EXPECT_EQ(tree.positionFromCrLf(2), 1);

    tree.setText(u"ab\r\ncd"_s);
    EXPECT_FALSE(tree.canUndo());
    tree.insert(3, u"\n");
    tree.insert(2, u"x\n");
    EXPECT_EQ(tree.text(), u"abx\n\n\ncd");
    EXPECT_EQ(tree.lineStart(1), 4);
    EXPECT_EQ(tree.lineStart(2), 5);
    EXPECT_EQ(tree.lineStart(3), 6);
    EXPECT_EQ(tree.lineOf(4), 1);
    EXPECT_EQ(tree.lineOf(6), 3);
    EXPECT_EQ(tree.crLfPosition(6), 9);
    EXPECT_EQ(tree.positionFromCrLf(9), 6);
}

// Every stretch by CR LF positions, its ends between a CR and its LF or not, reads as the
// same stretch of the text with CR LF breaks; over pieces and after edits.
TEST(PieceTreeTest, CrLfStretchesMatchTheCrLfText) {
    PieceTree tree;
    tree.setText(u"a\r\n\r\nbc\r\n"_s);
    tree.insert(4, u"x\ny"_s);
    const QString crLf = orvenly::textWithCrLf(tree);
    ASSERT_EQ(crLf, u"a\r\n\r\nbx\r\nyc\r\n"_s);
    for (qsizetype at = 0; at <= crLf.size(); ++at) {
        for (qsizetype length = 0; at + length <= crLf.size(); ++length)
            ASSERT_EQ(orvenly::crLfText(tree, at, length), crLf.mid(at, length))
                << at << " " << length;
    }
}

// Typed characters, a surrogate pair among them, grow one piece and one history entry; the
// pair comes back whole from every query over the piece edges around it.
TEST(PieceTreeTest, TypingGrowsOnePieceAndKeepsSurrogatePairs) {
    PieceTree tree;
    tree.setText(u"前後"_s);
    const QString face = u"\U0001F600"_s;
    tree.beginGroup();
    tree.insert(1, face.first(1));
    tree.endGroup();
    tree.joinPreviousGroup();
    tree.insert(2, face.sliced(1));
    tree.insert(3, u"x");
    tree.endGroup();
    EXPECT_EQ(tree.text(), u"前"_s + face + u"x後"_s);
    EXPECT_EQ(tree.pieceCount(), 3);
    EXPECT_EQ(tree.text(1, 2), face);
    EXPECT_EQ(tree.charAt(2), face[1]);
    EXPECT_EQ(tree.undo(), 1);
    EXPECT_EQ(tree.text(), u"前後");
    EXPECT_FALSE(tree.canUndo());
    EXPECT_EQ(tree.redo(), 4);
    EXPECT_EQ(tree.text(), u"前"_s + face + u"x後"_s);
}

// The modified flag follows the saved state through undo and redo, and is lost for good when
// the saved state is undone and then overwritten.
TEST(PieceTreeTest, ModifiedFollowsTheSavedState) {
    PieceTree tree;
    QSignalSpy changes(&tree, &PieceTree::modificationChanged);
    tree.setText(u"abc"_s);
    EXPECT_FALSE(tree.isModified());
    tree.insert(3, u"d");
    EXPECT_TRUE(tree.isModified());
    tree.setModified(false);
    tree.insert(4, u"e");
    EXPECT_TRUE(tree.isModified());
    tree.undo();
    EXPECT_FALSE(tree.isModified());
    tree.undo();
    EXPECT_TRUE(tree.isModified());
    tree.redo();
    EXPECT_FALSE(tree.isModified());
    EXPECT_EQ(changes.size(), 6);

    // Joining the saved state's step would let one undo step straddle it.
    tree.joinPreviousGroup();
    tree.insert(4, u"f");
    tree.endGroup();
    tree.undo();
    EXPECT_EQ(tree.text(), u"abcd");
    EXPECT_FALSE(tree.isModified());

    tree.undo();
    tree.insert(0, u"z");
    EXPECT_TRUE(tree.isModified());
    tree.undo();
    EXPECT_EQ(tree.text(), u"abc");
    EXPECT_TRUE(tree.isModified());
    tree.clearUndo();
    EXPECT_TRUE(tree.isModified());
}

// A document of 100 MB (50 million characters) edited at its edges and its pieces' edges:
// every index answers there as it does on a plain string. Run under AddressSanitizer too.
TEST(PieceTreeTest, IndexEdgesOfAHundredMegabyteDocument) {
    const QString line = u"吾輩は猫である。名前はまだ無い。abc\tdef"_s;
    QString text;
    text.reserve(50'000'000);
    for (int i = 0; text.size() + line.size() + 2 < 50'000'000; ++i)
        text += line.first(i % line.size()) + (i % 3 == 0 ? u"\r\n"_s : u"\n"_s);
    Model model{withLf(text)};
    PieceTree tree;
    tree.setText(std::move(text));
    std::mt19937 random(7);
    // One scan of the model for each place; its neighbours follow from it.
    auto checkAround = [&](qsizetype at) {
        const qsizetype first = std::max<qsizetype>(0, at - 1);
        qsizetype lines = model.text.first(first).count(u'\n');
        for (qsizetype p = first; p <= std::min(at + 1, model.text.size()); ++p) {
            if (p > first && model.text[p - 1] == u'\n')
                ++lines;
            const qsizetype end = model.text.indexOf(u'\n', p);
            ASSERT_EQ(tree.lineOf(p), lines) << p;
            ASSERT_EQ(tree.positionFromCrLf(p + lines), p) << p;
            ASSERT_EQ(tree.lineEnd(lines), end < 0 ? model.text.size() : end) << p;
            if (p < model.text.size()) {
                ASSERT_EQ(tree.charAt(p), model.text[p]) << p;
            }
        }
    };
    const qsizetype sizes[] = {0, 1, 17, 4096};
    for (int round = 0; round < 12; ++round) {
        const qsizetype length = model.text.size();
        const qsizetype at = round % 3 == 0 ? 0
                             : round % 3 == 1
                                 ? length
                                 : std::uniform_int_distribution<qsizetype>(0, length)(random);
        const QString piece = QString(sizes[round % 4], u'あ') + u"\n"_s;
        tree.insert(at, piece);
        model.text.insert(at, piece);
        checkAround(at);
        checkAround(at + piece.size());
        const qsizetype removed = std::min<qsizetype>(model.text.size() - at, 3);
        tree.remove(at, removed);
        model.text.remove(at, removed);
        checkAround(at);
    }
    ASSERT_EQ(tree.length(), model.text.size());
    ASSERT_EQ(tree.lineCount(), model.text.count(u'\n') + 1);
    ASSERT_EQ(tree.lineStart(tree.lineCount() - 1), model.text.lastIndexOf(u'\n') + 1);
    ASSERT_EQ(tree.positionFromCrLf(tree.crLfPosition(tree.length()) + 5), tree.length());
    qsizetype visited = 0;
    tree.forEachChunk(0, tree.length(), [&](QStringView chunk) {
        visited += chunk.size();
        return true;
    });
    EXPECT_EQ(visited, model.text.size());
    EXPECT_EQ(tree.text(tree.length() - 50, 50), model.text.last(50));
}
