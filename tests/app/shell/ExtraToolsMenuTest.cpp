#include "shell/ExtraToolsMenu.h"

#include "orvenly/QMenuItemFamily.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

using namespace Qt::StringLiterals;

class ExtraToolsMenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(widgets); }
    static QAction* hiddenSeparator(QMenu& menu) {
        QAction* separator = menu.addSeparator();
        separator->setVisible(false);
        return separator;
    }
    QString makeFile(const QString& name) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    int load() {
        return penlark::LoadExtraTools(*makerKey, family,
                                       [&](int index, const QString& path) { tags[index] = path; });
    }

    const bool widgets = haveWidgets();
    QTemporaryDir dir;
    std::shared_ptr<orvenly::Registry> registry = orvenly::Registry::create(
        std::make_shared<platform::RegistryStore>(dir.filePath(u"registry.db"_s)));
    std::shared_ptr<orvenly::RegKey> makerKey =
        registry->Item(orvenly::HKEY_CURRENT_USER, u"Software\\Ardenfall"_s);
    QMenu menu;
    orvenly::QMenuItemFamily family{&menu, hiddenSeparator(menu)};
    std::map<int, QString> tags;
};

TEST_F(ExtraToolsMenuTest, OtherProgramsGetNumberedEntriesAfterAShownSeparator) {
    makerKey->SetValue(u"Penlark"_s, makeFile(u"penlark"_s));
    makerKey->SetValue(u"Viewer"_s, makeFile(u"viewer"_s));
    makerKey->SetValue(u"Gone"_s, dir.filePath(u"gone"_s));
    makerKey->SetValue(u"辞書"_s, makeFile(u"dict"_s));

    EXPECT_EQ(load(), 2);
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[0]->isVisible()) << "the family's separator";
    EXPECT_EQ(actions[1]->text(), u"&1. Viewer ..."_s);
    EXPECT_EQ(actions[2]->text(), u"&2. 辞書 ..."_s);
    EXPECT_EQ(tags, (std::map<int, QString>{{1, dir.filePath(u"viewer"_s)},
                                            {2, dir.filePath(u"dict"_s)}}));
    EXPECT_TRUE(makerKey->GetValue(u"Gone"_s).isEmpty());
}

TEST_F(ExtraToolsMenuTest, WithoutOtherProgramsTheSeparatorStaysHidden) {
    makerKey->SetValue(u"Penlark"_s, makeFile(u"penlark"_s));
    EXPECT_EQ(load(), 0);
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_FALSE(menu.actions()[0]->isVisible());
    EXPECT_TRUE(tags.empty());
}

} // namespace
