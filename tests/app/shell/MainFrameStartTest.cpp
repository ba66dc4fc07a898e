#include "tests/app/shell/MainFrameTestSupport.h"

#include "orvenly/MRU.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <algorithm>

namespace {

using namespace Qt::StringLiterals;
using orvenly::Variant;

QRect screenOf(const QWidget& widget) {
    return widget.screen()->geometry();
}

TEST_F(MainFrameTest, FirstStartCoversTheMiddleOfTheScreenWithTheToolbar) {
    penlark::cMainFrame& f = start();

    const QRect screen = screenOf(f);
    EXPECT_EQ(f.geometry(), QRect(qRound(screen.width() * 0.2), qRound(screen.height() * 0.2),
                                  qRound(screen.width() * 0.6), qRound(screen.height() * 0.6)));
    EXPECT_EQ(f.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), 0);
    EXPECT_TRUE(item(ViewCmd::Toolbar)->isChecked());
    EXPECT_FALSE(f.picToolbar().isHidden());
    EXPECT_EQ(f.windowTitle(), u"Penlark"_s);
    EXPECT_EQ(documentCount(), 0);
}

TEST_F(MainFrameTest, StartsWithTheDocumentCommandsOff) {
    start();

    EXPECT_FALSE(frame->menu(FrameMenu::Edit)->menuAction()->isVisible());
    EXPECT_FALSE(frame->menu(FrameMenu::Window)->menuAction()->isVisible());
    for (FileCmd command : {FileCmd::Close, FileCmd::Save, FileCmd::SaveAs, FileCmd::SaveAll})
        EXPECT_FALSE(item(command)->isEnabled()) << int(command);
    for (FileCmd command : {FileCmd::New, FileCmd::Open, FileCmd::Exit})
        EXPECT_TRUE(item(command)->isEnabled()) << int(command);
    EXPECT_EQ(item(FileCmd::Close)->text(), u"閉じる(&C)\tCtrl+F4"_s);
    EXPECT_EQ(item(WindowCmd::Previous)->text(), u"前(&F)\tShift+Ctrl+F6"_s);
    EXPECT_TRUE(item(EditCmd::Redo)->isVisible());
    EXPECT_EQ(item(EditCmd::Redo)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_FALSE(item(HelpCmd::SearchTopics)->isVisible());

    EXPECT_TRUE(button(u"new"_s)->Enabled());
    EXPECT_TRUE(button(u"open"_s)->Enabled());
    for (const QString& key : {u"save"_s, u"saveall"_s, u"cut"_s, u"copy"_s, u"paste"_s, u"undo"_s,
                               u"redo"_s, u"search"_s})
        EXPECT_FALSE(button(key)->Enabled()) << key.toStdString();
    EXPECT_EQ(button(u"save"_s)->ToolTip(), u"ドキュメントを保存します。 (Ctrl+S)"_s);
    EXPECT_EQ(frame->ftbEdit().Buttons().Count(), 15);
    EXPECT_EQ(button(u"info"_s)->Length(), 204);

    const QList<QAction*> recent = frame->recentMenu()->actions();
    ASSERT_EQ(recent.size(), 1);
    EXPECT_EQ(recent[0]->text(), u"    （履歴がありません）"_s);
    EXPECT_FALSE(recent[0]->isEnabled());
}

TEST_F(MainFrameTest, StartupSettingOpensOneEmptyMaximisedDocument) {
    settings.Startup = true;
    start();

    ASSERT_EQ(documentCount(), 1);
    ASSERT_NE(document(1).subWindow(), nullptr);
    EXPECT_TRUE(document(1).subWindow()->isMaximized());
    EXPECT_TRUE(document(1).Editor().Text().isEmpty());
}

TEST_F(MainFrameTest, CommandLineFilesOpenInOrderAndOnlyLoadedOnesAreRemembered) {
    const QString first = writeFile(u"first.txt"_s, "one\r\n");
    const QString second = writeFile(u"second.txt"_s, "two\r\n");
    const QString missing = dir.filePath(u"missing.txt"_s);
    answer(u"MsgBox"_s, orvenly::msgbox::OK);
    start({first, missing, second});

    ASSERT_EQ(documentCount(), 2);
    EXPECT_EQ(document(1).FileName(), u"first.txt"_s);
    EXPECT_EQ(document(2).FileName(), u"second.txt"_s);
    EXPECT_EQ(asked(u"MsgBox"_s), 1);
    ASSERT_EQ(frame->MRUFiles().Count(), 2);
    EXPECT_EQ(frame->MRUFiles().Item(1), second);
    EXPECT_EQ(frame->MRUFiles().Item(2), first);
}

TEST_F(MainFrameTest, LayoutAndRecentFilesSurviveARestart) {
    const QString file = writeFile(u"kept.txt"_s, "kept\r\n");
    start({file});
    item(ViewCmd::Toolbar)->trigger();
    EXPECT_TRUE(frame->picToolbar().isHidden());
    const QRect screen = screenOf(*frame);
    const QRect placed(screen.width() / 10, screen.height() / 4, screen.width() / 2,
                       screen.height() / 2);
    frame->setGeometry(placed);
    ASSERT_TRUE(closeFrame());

    const auto view = programKey()->SubKey(u"View"_s);
    EXPECT_EQ(view->GetValue(u"Toolbar"_s, Variant(true)), Variant(false));
    // Stored although it equals its default, whose type differs.
    EXPECT_EQ(view->GetValue(u"WindowState"_s, Variant(int32_t(1))).toLong(), 0);

    start();
    EXPECT_FALSE(item(ViewCmd::Toolbar)->isChecked());
    EXPECT_TRUE(frame->picToolbar().isHidden());
    EXPECT_EQ(frame->geometry(), placed);
    ASSERT_EQ(frame->MRUFiles().Count(), 1);
    EXPECT_EQ(frame->MRUFiles().Item(1), file);
    const QList<QAction*> recent = frame->recentMenu()->actions();
    EXPECT_TRUE(std::any_of(recent.begin(), recent.end(), [](QAction* action) {
        return action->isVisible() && action->text().contains(u"kept.txt"_s);
    }));
}

TEST_F(MainFrameTest, DefaultLayoutLeavesOnlyTheWindowStateInTheRegistry) {
    start();
    ASSERT_TRUE(closeFrame());

    const auto view = programKey()->SubKey(u"View"_s);
    QStringList names;
    QString name;
    QString value;
    while (view->EnumValue(name, value))
        names.append(name);
    EXPECT_EQ(names, QStringList{u"WindowState"_s});
}

TEST_F(MainFrameTest, ImplausibleStoredLayoutFallsBackToTheDefaults) {
    const auto view = programKey()->SubKey(u"View"_s);
    view->SetValue(u"Width"_s, -3.0f);
    view->SetValue(u"Height"_s, 0.0f);
    view->SetValue(u"Left"_s, 5.0f);
    start();

    const QRect screen = screenOf(*frame);
    EXPECT_EQ(frame->geometry(),
              QRect(qRound(screen.width() * 0.2), qRound(screen.height() * 0.2),
                    qRound(screen.width() * 0.6), qRound(screen.height() * 0.6)));
}

TEST_F(MainFrameTest, MissingRecentFileIsReportedAndRemovedOnYes) {
    const QString gone = dir.filePath(u"gone.txt"_s);
    const QString there = writeFile(u"there.txt"_s, "here\r\n");
    start();
    frame->MRUFiles().Add(there);
    frame->MRUFiles().Add(gone);

    answer(u"MsgBox"_s, orvenly::msgbox::No);
    answer(u"MsgBox"_s, orvenly::msgbox::Yes);
    for (int round = 0; round < 2; ++round) {
        const QList<QAction*> entries = frame->recentMenu()->actions();
        const auto entry = std::find_if(entries.begin(), entries.end(), [](QAction* action) {
            return action->text().contains(u"gone.txt"_s);
        });
        ASSERT_NE(entry, entries.end());
        (*entry)->trigger();
    }
    ASSERT_EQ(asked(u"MsgBox"_s), 2);
    EXPECT_EQ(requests.back().text, u"ファイル： '"_s + gone +
                                        u"' は\r\n\r\n既に移動又は削除されていて存在しません。"
                                        u"この履歴を削除します。"_s);
    ASSERT_EQ(frame->MRUFiles().Count(), 1);
    EXPECT_EQ(frame->MRUFiles().Item(1), there);

    // An existing entry opens and moves to the top.
    frame->recentMenu()->actions().last()->trigger();
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(document(1).FullPath(), there);
}

TEST_F(MainFrameTest, ExtraToolsStartTheirProgramAndReportOnesThatCannotStart) {
    const QString marker = dir.filePath(u"started"_s);
    const QString good = writeFile(u"good.sh"_s, "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n");
    const QString bad = writeFile(u"bad.bin"_s, QByteArray("\x7f\x45\x4c\x46garbage", 11));
    for (const QString& path : {good, bad})
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    const auto makerKey = registry()->Item(orvenly::HKEY_CURRENT_USER, u"Software\\Ardenfall"_s);
    makerKey->SetValue(u"Good"_s, good);
    makerKey->SetValue(u"Bad"_s, bad);
    start();

    QList<QAction*> tools;
    for (QAction* action : frame->extraToolsMenu()->actions()) {
        if (action->text().endsWith(u" ..."_s))
            tools.append(action);
    }
    ASSERT_EQ(tools.size(), 2);
    for (QAction* tool : tools)
        tool->trigger();
    EXPECT_EQ(asked(u"MsgBox"_s), 1);
    EXPECT_EQ(requests.back().text, u"プログラムを起動できませんでした。"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 30000));
}

} // namespace
