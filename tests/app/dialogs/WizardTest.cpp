#include "dialogs/Wizard.h"
#include "tests/support/TestSupport.h"

#include "orvenly/AutomationError.h"

#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using penlark::Wizard;

namespace {

// Three ordinary pages, a progress page, a stopped page and a completed page, with every
// event written down as it comes, together with the page and the visible frames.
class WizardTest : public WidgetsFirst, public ::testing::Test {
protected:
    WizardTest() {
        for (int i = 0; i < 6; ++i)
            frames.push_back(std::make_unique<QWidget>());
        QList<QWidget*> list;
        for (const auto& frame : frames)
            list << frame.get();
        wizard.Load(list, true);
        const auto note = [this](const QString& name) {
            events << QStringLiteral("%1@%2%3").arg(name).arg(wizard.Page()).arg(visible());
        };
        QObject::connect(&wizard, &Wizard::BeforeNext, [=, this](bool& Cancel) {
            note(QStringLiteral("BeforeNext"));
            Cancel = cancelNext;
        });
        QObject::connect(&wizard, &Wizard::BeforeBack, [=, this](bool& Cancel) {
            note(QStringLiteral("BeforeBack"));
            Cancel = cancelBack;
        });
        QObject::connect(&wizard, &Wizard::BeforeProcess, [=, this](bool& Cancel) {
            note(QStringLiteral("BeforeProcess"));
            Cancel = cancelProcess;
        });
        QObject::connect(&wizard, &Wizard::Move, [=] { note(QStringLiteral("Move")); });
        QObject::connect(&wizard, &Wizard::DoProcess, [=, this](bool& result) {
            note(wizard.Processing() ? QStringLiteral("DoProcess processing")
                                     : QStringLiteral("DoProcess"));
            result = succeed;
        });
        QObject::connect(&wizard, &Wizard::Failed, [=] { note(QStringLiteral("Failed")); });
        QObject::connect(&wizard, &Wizard::Complete, [=] { note(QStringLiteral("Complete")); });
        QObject::connect(&wizard, &Wizard::Finish, [=] { note(QStringLiteral("Finish")); });
    }

    // The visible frames, as " [i]" each.
    QString visible() const {
        QString shown;
        for (size_t i = 0; i < frames.size(); ++i)
            if (!frames[i]->isHidden())
                shown += QStringLiteral(" [%1]").arg(i);
        return shown;
    }

    std::vector<std::unique_ptr<QWidget>> frames;
    Wizard wizard;
    QStringList events;
    bool cancelNext = false;
    bool cancelBack = false;
    bool cancelProcess = false;
    bool succeed = true;
};

// Move comes between hiding the old frame and showing the new one.
TEST_F(WizardTest, PagesMoveWithTheirEventsInOrderAndCancelStopsThem) {
    EXPECT_EQ(visible(), " [0]");
    EXPECT_FALSE(wizard.GoNext(2));
    EXPECT_EQ(events, QStringList({"BeforeNext@0 [0]", "Move@2"}));
    EXPECT_EQ(visible(), " [2]");
    events.clear();
    EXPECT_FALSE(wizard.GoBack(1));
    EXPECT_EQ(events, QStringList({"BeforeBack@2 [2]", "Move@1"}));

    events.clear();
    cancelNext = true;
    wizard.GoNext(1);
    cancelBack = true;
    wizard.GoBack(1);
    EXPECT_EQ(events, QStringList({"BeforeNext@1 [1]", "BeforeBack@1 [1]"}));
    EXPECT_EQ(wizard.Page(), 1);
    EXPECT_EQ(visible(), " [1]");

    // Only the ordinary pages can be set; the current one raises nothing.
    events.clear();
    wizard.SetPage(1);
    EXPECT_TRUE(events.isEmpty());
    for (const int page : {-1, 3, 5}) {
        try {
            wizard.SetPage(page);
            ADD_FAILURE() << "page " << page << " was taken";
        } catch (const orvenly::AutomationError& error) {
            EXPECT_EQ(error.number(), orvenly::errors::InvalidArgument);
        }
    }
    EXPECT_EQ(wizard.Page(), 1);
}

TEST_F(WizardTest, ProcessingShowsTheProgressPageThenTheOutcomeAndNextFinishes) {
    wizard.SetPage(2);
    events.clear();
    EXPECT_FALSE(wizard.GoNext(1));
    EXPECT_EQ(events, QStringList({"BeforeNext@2 [2]", "BeforeProcess@2 [2]", "Move@3",
                                   "DoProcess processing@3 [3]", "Move@5", "Complete@5 [5]"}));
    EXPECT_TRUE(wizard.Finished());
    EXPECT_FALSE(wizard.Processing());

    // Once finished, Next raises Finish alone and Back does nothing.
    events.clear();
    wizard.GoNext(1);
    wizard.GoBack(1);
    EXPECT_EQ(events, QStringList({"Finish@5 [5]"}));
    EXPECT_EQ(visible(), " [5]");
}

TEST_F(WizardTest, AFailedRunEndsOnTheStoppedPageAndCancellingKeepsThePage) {
    wizard.SetPage(2);
    events.clear();
    cancelProcess = true;
    wizard.GoNext(1);
    cancelProcess = false;
    cancelNext = true;
    wizard.GoProcess();
    EXPECT_EQ(events, QStringList({"BeforeNext@2 [2]", "BeforeProcess@2 [2]", "BeforeNext@2 [2]"}));
    EXPECT_FALSE(wizard.Finished());
    EXPECT_EQ(visible(), " [2]");

    events.clear();
    cancelNext = false;
    succeed = false;
    wizard.GoProcess();
    EXPECT_EQ(events, QStringList({"BeforeNext@2 [2]", "BeforeProcess@2 [2]", "Move@3",
                                   "DoProcess processing@3 [3]", "Move@4", "Failed@4 [4]"}));
    EXPECT_TRUE(wizard.Finished());
}

TEST_F(WizardTest, WithoutAProgressPageTheRunStaysOnItsPageWhileProcessing) {
    QList<QWidget*> list;
    for (size_t i = 0; i < 5; ++i)
        list << frames[i].get();
    frames[5]->hide();
    wizard.Load(list, false);
    EXPECT_FALSE(wizard.Finished());
    wizard.GoNext(3);
    EXPECT_EQ(events, QStringList({"BeforeNext@0 [0]", "BeforeProcess@0 [0]",
                                   "DoProcess processing@0 [0]", "Move@4", "Complete@4 [4]"}));
}

} // namespace
