#include "orvenly/FileDialog.h"
#include "orvenly/Modal.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace orvenly;

namespace {

// Once the file dialog is up: types text as the name, accepts, then runs then.
void typeIntoDialog(const QString& text, const std::function<void()>& then = {}) {
    QTimer::singleShot(50, [text, then] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return typeIntoDialog(text, then);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(text);
        // Accept as the dialog's own button does.
        QMetaObject::invokeMethod(dialog, "accept");
        if (then)
            then();
    });
}

} // namespace

TEST(FileDialogHost, OpenDialogTakesATypedNameAndItsFilter) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("a.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    FileDialog dialog;
    dialog.SetInitDir(folder.path());
    dialog.SetFilter(QStringLiteral("テキスト\0*.txt\0すべて\0*.*\0\0"));
    dialog.SetFilterIndex(2);
    typeIntoDialog(QStringLiteral("a.txt"));
    const KeyedCollection<QString> chosen = dialog.ShowOpen();
    ASSERT_EQ(chosen.Count(), 1);
    EXPECT_EQ(chosen.Item(1), folder.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(dialog.InitDir(), folder.path() + u'/');
    EXPECT_EQ(dialog.SelectFilter(), 2);
}

TEST(FileDialogHost, FolderThatDoesNotExistIsRefusedAndTheDialogStays) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir folder;
    QStringList said;
    modal::setResponder([&said](const modal::Request& request) -> std::optional<modal::Answer> {
        if (request.kind != u"MsgBox")
            return std::nullopt;
        said.append(request.text);
        return modal::Answer{msgbox::OK, {}};
    });
    const QString missing = folder.filePath(QStringLiteral("missing"));
    // The refused name leaves the dialog up; the second accept takes the seed folder.
    typeIntoDialog(missing, [] { typeIntoDialog(QString()); });
    FileDialog dialog;
    QString path = folder.path();
    EXPECT_TRUE(dialog.ShowPath(path));
    modal::setResponder({});
    EXPECT_EQ(said, QStringList{QStringLiteral("パス: '%1' は無効です。").arg(missing)});
    EXPECT_EQ(path, folder.path() + u'/');
}

TEST(FileDialogHost, SaveAsksBeforeOverwriting) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("old.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    int asked = 0;
    modal::setResponder([&asked](const modal::Request& request) -> std::optional<modal::Answer> {
        if (request.kind != u"MsgBox")
            return std::nullopt;
        return modal::Answer{++asked == 1 ? msgbox::No : msgbox::Yes, {}};
    });
    FileDialog dialog;
    dialog.SetFlags(OFN_OVERWRITEPROMPT);
    QString name = folder.filePath(QStringLiteral("old.txt"));
    typeIntoDialog(QStringLiteral("old.txt"), [] { typeIntoDialog(QStringLiteral("old.txt")); });
    EXPECT_TRUE(dialog.ShowSave(name));
    modal::setResponder({});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(name, folder.filePath(QStringLiteral("old.txt")));
}

// A typed name opens as typed when that file exists; the default extension is added only when
// it does not. 開く stays enabled while a name is typed, even one the filter hides.
TEST(FileDialogHost, OpenTakesATypedNameAsTypedAndAddsTheExtensionOnlyWhenNeeded) {
    ASSERT_TRUE(haveWidgets());
    QTemporaryDir folder;
    for (const char* name : {"binary_ls", "notes.txt"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto open = [&](const QString& typed, int32_t filterIndex, bool* enabled = nullptr) {
        FileDialog dialog;
        dialog.SetInitDir(folder.path());
        dialog.SetDefaultExt(QStringLiteral("txt"));
        dialog.SetFlags(OFN_ALLOWMULTISELECT);
        dialog.SetFilter(QStringLiteral("テキスト\0*.txt\0すべて\0*.*\0\0"));
        dialog.SetFilterIndex(filterIndex);
        QTimer::singleShot(50, [typed, enabled] {
            auto* host = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(host, nullptr);
            host->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
            if (enabled)
                *enabled = host->findChild<QDialogButtonBox*>()
                               ->button(QDialogButtonBox::Open)
                               ->isEnabled();
            QMetaObject::invokeMethod(host, "accept");
            // A name refused keeps the dialog up.
            QTimer::singleShot(50, host, [host] { host->reject(); });
        });
        const KeyedCollection<QString> chosen = dialog.ShowOpen();
        return chosen.Count() == 1 ? chosen.Item(1) : QString();
    };
    QStringList said;
    modal::setResponder([&said](const modal::Request& request) -> std::optional<modal::Answer> {
        if (request.kind != u"MsgBox")
            return std::nullopt;
        said.append(request.text);
        return modal::Answer{msgbox::OK, {}};
    });
    bool enabled = false;
    EXPECT_EQ(open(folder.filePath(QStringLiteral("binary_ls")), 1, &enabled),
              folder.filePath(QStringLiteral("binary_ls")));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(open(QStringLiteral("binary_ls"), 2), folder.filePath(QStringLiteral("binary_ls")));
    EXPECT_EQ(open(QStringLiteral("notes"), 2, &enabled),
              folder.filePath(QStringLiteral("notes.txt")));
    EXPECT_TRUE(enabled);
    modal::setResponder({});
    EXPECT_EQ(said, QStringList());
}
