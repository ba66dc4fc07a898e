#include "tests/app/shell/FakeDocumentHost.h"

#include "orvenly/AutomationError.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"

#include <QCoreApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <gtest/gtest.h>

using namespace penlark;
using namespace orvenly;
using namespace Qt::StringLiterals;

namespace {

class ChildWindowsTest : public ::testing::Test {
protected:
    ChildWindowsTest() {
        QObject::connect(&documents, &ChildWindows::MenuChanged,
                         [this](bool hasChild) { host.log << u"MenuChanged %1"_s.arg(hasChild); });
    }

    ChildWindow& addNamed(int32_t index, const QString& name, const QString& key = {}) {
        ChildWindow& document = documents.Add(index, key);
        names[&document] = name;
        return document;
    }

    // Each document's Index and test name, in collection order.
    QStringList named() const {
        QStringList result;
        for (ChildWindow& document : documents)
            result << u"%1 %2"_s.arg(document.Index()).arg(names.value(&document));
        return result;
    }

    static void deleteLaterNow() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeDocumentHost host;
    ChildWindows documents{host};
    QHash<const ChildWindow*, QString> names;
};

TEST_F(ChildWindowsTest, FirstAddTellsTheFrameBeforeTheWindowLoads) {
    ChildWindow& first = documents.Add();
    EXPECT_EQ(host.log, (QStringList{u"MenuChanged 1"_s, u"Load"_s}));
    EXPECT_EQ(first.Index(), 1);
    EXPECT_FALSE(first.isVisible());
    documents.Add();
    EXPECT_EQ(host.entries(u"MenuChanged"_s).size(), 1);
    EXPECT_EQ(documents.Count(), 2);
}

TEST_F(ChildWindowsTest, InsertingAndRemovingRenumbers) {
    addNamed(0, u"a"_s);
    addNamed(0, u"b"_s);
    ChildWindow& inserted = addNamed(1, u"c"_s);
    EXPECT_EQ(inserted.Index(), 1);
    EXPECT_EQ(named(), (QStringList{u"1 c"_s, u"2 a"_s, u"3 b"_s}));
    addNamed(3, u"d"_s);
    EXPECT_EQ(named(), (QStringList{u"1 c"_s, u"2 a"_s, u"3 d"_s, u"4 b"_s}));

    documents.Remove(1);
    EXPECT_EQ(named(), (QStringList{u"1 a"_s, u"2 d"_s, u"3 b"_s}));
    documents.Remove(2);
    EXPECT_EQ(named(), (QStringList{u"1 a"_s, u"2 b"_s}));
    for (int32_t i = 1; i <= documents.Count(); ++i)
        EXPECT_EQ(&documents.Item(i), &*std::next(documents.begin(), i - 1));
}

TEST_F(ChildWindowsTest, RemovingUnloadsAndTheLastOneTellsTheFrame) {
    ChildWindow& first = documents.Add();
    documents.Add();
    QPointer<ChildWindow> watched = &first;
    host.log.clear();
    documents.Remove(1);
    // Renumbered before it unloads, the document itself included.
    EXPECT_EQ(host.log, QStringList{u"QueryUnload 0 1"_s});
    deleteLaterNow();
    EXPECT_TRUE(watched.isNull());

    host.log.clear();
    documents.Remove(1);
    EXPECT_EQ(host.log, (QStringList{u"QueryUnload 0 1"_s, u"MenuChanged 0"_s}));
    EXPECT_EQ(documents.Count(), 0);
}

TEST_F(ChildWindowsTest, ClearUnloadsAllAndTellsTheFrameOnce) {
    documents.Clear();
    EXPECT_TRUE(host.log.isEmpty());
    documents.Add();
    documents.Add();
    host.log.clear();
    documents.Clear();
    EXPECT_EQ(host.log,
              (QStringList{u"QueryUnload 1 1"_s, u"QueryUnload 2 1"_s, u"MenuChanged 0"_s}));
    EXPECT_EQ(documents.Count(), 0);
    deleteLaterNow();
}

TEST_F(ChildWindowsTest, KeysAndBadArguments) {
    addNamed(0, u"a"_s, u"First"_s);
    addNamed(0, u"b"_s);
    EXPECT_EQ(documents.Item(u"FIRST"_s).Key(), u"First"_s);
    EXPECT_EQ(errorOf([&] { documents.Add(0, u"first"_s); }), errors::DuplicateKey);
    EXPECT_EQ(errorOf([&] { documents.Add(4); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { documents.Item(3); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { documents.Item(u"none"_s); }), errors::InvalidArgument);
    EXPECT_EQ(documents.Count(), 2);
    documents.Remove(u"first"_s);
    EXPECT_EQ(named(), QStringList{u"1 b"_s});
}

// The frame removes a document from within the user's closing of its window.
TEST_F(ChildWindowsTest, UserClosingAWindowTheFrameRemoves) {
    host.area.show();
    ChildWindow& first = documents.Add();
    first.NewDocument();
    first.Show2();
    ChildWindow& second = documents.Add();
    second.NewDocument();
    second.Show2();
    host.onQueryUnload = [this](ChildWindow& document, bool&, int mode) {
        if (mode == 0)
            documents.Remove(document.Index());
    };
    QPointer<QMdiSubWindow> window = second.subWindow();
    host.log.clear();
    window->close();
    EXPECT_EQ(host.entries(u"QueryUnload"_s), QStringList{u"QueryUnload 2 0"_s});
    EXPECT_EQ(documents.Count(), 1);
    deleteLaterNow();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(host.area.subWindowList().size(), 1);
    EXPECT_EQ(host.area.activeSubWindow(), first.subWindow());
}

TEST_F(ChildWindowsTest, DocumentsLeftAtTheEndGoWithTheCollection) {
    QPointer<ChildWindow> shown;
    QPointer<ChildWindow> hidden;
    {
        ChildWindows local(host);
        host.area.show();
        shown = &local.Add();
        shown->Show2();
        hidden = &local.Add();
    }
    EXPECT_TRUE(shown.isNull());
    EXPECT_TRUE(hidden.isNull());
    EXPECT_TRUE(host.area.subWindowList().isEmpty());
}

} // namespace
