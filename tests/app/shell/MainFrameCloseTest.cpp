#include "tests/app/shell/MainFrameTestSupport.h"

#include "common/Resource.h"

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

// The answers of the save confirmation.
constexpr int32_t Save = 0;
constexpr int32_t Discard = 1;
constexpr int32_t Keep = 2;
constexpr int32_t SaveAll = 3;
constexpr int32_t DiscardAll = 4;
constexpr int32_t KeepAll = 5;

class MainFrameCloseTest : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        start();
        for (const QString& name : {u"one.txt"_s, u"two.txt"_s, u"three.txt"_s})
            paths.append(modifiedDocument(name).FullPath());
        requests.clear();
    }

    std::vector<int32_t> confirmStyles() const {
        std::vector<int32_t> styles;
        for (const Request& request : requests) {
            if (request.kind == u"Confirm"_s)
                styles.push_back(request.style);
        }
        return styles;
    }

    QStringList paths;
};

TEST_F(MainFrameCloseTest, KeepingOneDocumentStillAsksAboutTheRestAndKeepsTheFrame) {
    answer(u"Confirm"_s, Discard);
    answer(u"Confirm"_s, Keep);
    answer(u"Confirm"_s, Save);

    EXPECT_FALSE(closeFrame());

    // The last one asked is the last of the collection: the one-row question.
    EXPECT_EQ(confirmStyles(), (std::vector<int32_t>{1, 1, 0}));
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(document(1).FullPath(), paths[1]);
    EXPECT_EQ(readFile(paths[0]), "text\r\n");
    EXPECT_EQ(readFile(paths[2]), "more text\r\n");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(requests.front().text.contains(u"one.txt"_s));
}

TEST_F(MainFrameCloseTest, SaveAllSavesTheRestWithoutAsking) {
    // An unmodified document after the answer has nothing to save; what another program
    // wrote to its file stays.
    document(3).Editor().SetModify(false);
    writeFile(u"three.txt"_s, "changed behind the editor\r\n");
    answer(u"Confirm"_s, SaveAll);

    EXPECT_TRUE(closeFrame());

    EXPECT_EQ(asked(u"Confirm"_s), 1);
    EXPECT_EQ(documentCount(), 0);
    EXPECT_EQ(readFile(paths[0]), "more text\r\n");
    EXPECT_EQ(readFile(paths[1]), "more text\r\n");
    EXPECT_EQ(readFile(paths[2]), "changed behind the editor\r\n");
}

TEST_F(MainFrameCloseTest, FailingSaveStopsTheWalkAndKeepsTheFrame) {
    // The second document's folder goes away, so its save cannot succeed.
    const QString folder = dir.filePath(u"gone"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString lost = folder + u"/lost.txt"_s;
    QFile::copy(paths[1], lost);
    ASSERT_TRUE(document(2).SaveDocument(lost, true));
    document(2).Editor().ReplaceSel(u"again "_s);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    answer(u"Confirm"_s, SaveAll);
    answer(u"MsgBox"_s, orvenly::msgbox::OK);

    EXPECT_FALSE(closeFrame());

    EXPECT_EQ(asked(u"Confirm"_s), 1);
    EXPECT_EQ(asked(u"MsgBox"_s), 1);
    ASSERT_EQ(documentCount(), 2);
    EXPECT_TRUE(document(1).Editor().Modify());
    EXPECT_TRUE(document(2).Editor().Modify());
    EXPECT_EQ(readFile(paths[0]), "more text\r\n");
    EXPECT_EQ(readFile(paths[2]), "text\r\n");
}

TEST_F(MainFrameCloseTest, DiscardAllClosesEverythingUnsaved) {
    answer(u"Confirm"_s, DiscardAll);

    EXPECT_TRUE(closeFrame());

    EXPECT_EQ(asked(u"Confirm"_s), 1);
    EXPECT_EQ(documentCount(), 0);
    for (const QString& path : paths)
        EXPECT_EQ(readFile(path), "text\r\n");
}

TEST_F(MainFrameCloseTest, KeepAllStopsAtOnce) {
    answer(u"Confirm"_s, Discard);
    answer(u"Confirm"_s, KeepAll);

    EXPECT_FALSE(closeFrame());

    EXPECT_EQ(asked(u"Confirm"_s), 2);
    EXPECT_EQ(documentCount(), 2);
}

TEST_F(MainFrameCloseTest, CloseAllRunsTheWalkButTheFrameStays) {
    answer(u"Confirm"_s, DiscardAll);
    item(WindowCmd::CloseAll)->trigger();

    EXPECT_EQ(documentCount(), 0);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->menu(FrameMenu::Window)->menuAction()->isVisible());
}

TEST_F(MainFrameCloseTest, ClosingOneDocumentAsksYesNoCancel) {
    answer(u"MsgBox"_s, orvenly::msgbox::Cancel);
    answer(u"MsgBox"_s, orvenly::msgbox::No);
    answer(u"MsgBox"_s, orvenly::msgbox::Yes);

    item(FileCmd::Close)->trigger();
    EXPECT_EQ(documentCount(), 3);
    const Request& question = requests.back();
    EXPECT_EQ(question.style, orvenly::msgbox::YesNoCancel | orvenly::msgbox::Question |
                                  orvenly::msgbox::DefaultButton3);
    EXPECT_EQ(question.text, penlark::FormatResString(1000, {u"three.txt"_s}));

    item(FileCmd::Close)->trigger();
    EXPECT_EQ(documentCount(), 2);
    EXPECT_EQ(readFile(paths[2]), "text\r\n");

    QCoreApplication::processEvents();
    ASSERT_NE(frame->ActiveDocument(), nullptr);
    item(FileCmd::Close)->trigger();
    EXPECT_EQ(documentCount(), 1);
    EXPECT_EQ(asked(u"MsgBox"_s), 3);
}

} // namespace
