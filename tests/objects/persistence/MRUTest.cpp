#include "orvenly/MRU.h"
#include "orvenly/Archive.h"
#include "orvenly/AutomationError.h"
#include "orvenly/PropertyBag.h"
#include "orvenly/QMenuItemFamily.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace orvenly;

namespace {

// Records the elements as a menu would hold them; misuse raises like the real family.
class FakeMenu : public MenuItemFamily {
public:
    struct Element {
        QString caption;
        bool enabled = false;
        bool visible = true;
    };
    std::map<int, Element> elements{{0, {QStringLiteral("(なし)"), true, true}}};

    std::vector<int> Indexes() const override {
        std::vector<int> result;
        for (const auto& [index, element] : elements)
            result.push_back(index);
        return result;
    }
    void Load(int Index) override {
        if (Index <= 0 || !elements.try_emplace(Index).second)
            throw AutomationError(errors::InvalidArgument);
    }
    void Unload(int Index) override {
        if (Index == 0 || elements.erase(Index) == 0)
            throw AutomationError(errors::InvalidArgument);
    }
    void SetCaption(int Index, const QString& Caption) override { at(Index).caption = Caption; }
    void SetEnabled(int Index, bool Enabled) override { at(Index).enabled = Enabled; }
    void SetVisible(int Index, bool Visible) override { at(Index).visible = Visible; }

    // "index:caption" of every visible element, in index order.
    QStringList shown() const {
        QStringList result;
        for (const auto& [index, element] : elements)
            if (element.visible)
                result << QStringLiteral("%1:%2").arg(index).arg(element.caption);
        return result;
    }
    std::vector<int> separators() const {
        std::vector<int> result;
        for (const auto& [index, element] : elements)
            if (element.caption == u"-" && element.enabled && element.visible)
                result.push_back(index);
        return result;
    }

private:
    Element& at(int Index) {
        const auto it = elements.find(Index);
        if (it == elements.end())
            throw AutomationError(errors::InvalidArgument);
        return it->second;
    }
};

class MRUTest : public ::testing::Test {
protected:
    void SetUp() override {
        mru.Load(menu);
        QObject::connect(&mru, &MRU::Change, [this] {
            ++changes;
            menuAtChange = menu->shown();
        });
    }

    void addNumbered(int count) {
        for (int i = count; i >= 1; --i)
            mru.Add(QStringLiteral("f%1").arg(i));
    }
    static QStringList entries(const MRU& list) {
        QStringList result;
        for (int32_t i = 1; i <= std::min(list.Count(), list.ShowItems()); ++i)
            result << list.Item(i);
        return result;
    }

    MRU mru;
    std::shared_ptr<FakeMenu> menu = std::make_shared<FakeMenu>();
    int changes = 0;
    QStringList menuAtChange;
};

TEST_F(MRUTest, AddPutsNewestOnTopAndMovesDuplicates) {
    for (const char* name : {"A", "B", "C"})
        mru.Add(QString::fromLatin1(name));
    EXPECT_EQ(entries(mru), QStringList({"C", "B", "A"}));
    mru.Add(u"B"_qs);
    EXPECT_EQ(entries(mru), QStringList({"B", "C", "A"}));
    EXPECT_EQ(changes, 4);
    // The event comes after the menu shows the new order.
    EXPECT_EQ(menuAtChange, QStringList({"2:B", "4:C", "6:A"}));
}

TEST_F(MRUTest, KeysIgnoreCaseButTheTopEntryComparesExactly) {
    for (const char* name : {"/d/a.txt", "/d/b.txt", "/d/c.txt"})
        mru.Add(QString::fromLatin1(name));
    mru.Add(u"/D/A.TXT"_qs);
    EXPECT_EQ(entries(mru), QStringList({"/D/A.TXT", "/d/c.txt", "/d/b.txt"}));

    changes = 0;
    mru.Add(u"/D/A.TXT"_qs);
    EXPECT_EQ(changes, 0);
    mru.Add(u"/d/a.TXT"_qs);
    EXPECT_EQ(entries(mru), QStringList({"/d/a.TXT", "/d/c.txt", "/d/b.txt"}));
    EXPECT_EQ(changes, 1);
}

TEST_F(MRUTest, MaxDropsTheOldestEntries) {
    mru.SetMax(3);
    for (const char* name : {"A", "B", "C", "D"})
        mru.Add(QString::fromLatin1(name));
    EXPECT_EQ(entries(mru), QStringList({"D", "C", "B"}));

    changes = 0;
    mru.SetMax(5);
    EXPECT_EQ(changes, 0);
    mru.SetMax(1);
    EXPECT_EQ(entries(mru), QStringList({"D"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(menu->shown(), QStringList({"2:D"}));

    mru.SetMax(0);
    mru.Add(u"E"_qs);
    EXPECT_EQ(mru.Count(), 0);
    EXPECT_EQ(errorOf([&] { mru.SetMax(-1); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { mru.SetMax(MRU::Capacity + 1); }), errors::InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { mru.SetShowItems(-1); }), errors::InvalidPropertyValue);
}

TEST_F(MRUTest, TwelveEntriesShowTenWithOneSeparator) {
    addNumbered(12);
    EXPECT_EQ(mru.Count(), 12);
    QStringList expected;
    for (int i = 1; i <= 10; ++i) {
        expected << QStringLiteral("%1:f%2").arg(2 * i).arg(i);
        if (i == 5)
            expected << u"11:-"_qs;
    }
    EXPECT_EQ(menu->shown(), expected);
    EXPECT_EQ(menu->elements.size(), 12u); // placeholder, ten entries, one separator
    EXPECT_FALSE(menu->elements.at(0).visible);
    EXPECT_TRUE(menu->elements.at(2).enabled);

    EXPECT_EQ(mru.Item(10), u"f10"_qs);
    EXPECT_EQ(errorOf([&] { mru.Item(11); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { mru.Exists(11); }), errors::InvalidArgument);
    EXPECT_NE(errorOf([&] { mru.Item(0); }), 0);
}

TEST_F(MRUTest, SeparatorsFollowEveryFifthShownEntryButTheLast) {
    addNumbered(12);
    const std::map<int, std::vector<int>> cases{
        {7, {11}}, {5, {}}, {11, {11, 21}}, {1, {}}, {12, {11, 21}}};
    for (const auto& [shownItems, separators] : cases) {
        changes = 0;
        mru.SetShowItems(shownItems);
        EXPECT_EQ(menu->separators(), separators) << shownItems;
        EXPECT_EQ(menu->shown().size(), shownItems + qsizetype(separators.size()));
        EXPECT_EQ(changes, 1);
    }
    mru.SetShowItems(12); // unchanged, yet raised
    EXPECT_EQ(changes, 2);
    mru.SetShowItems(0);
    EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
}

TEST_F(MRUTest, EmptyListShowsOnlyThePlaceholder) {
    EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
    addNumbered(6);
    mru.Remove(2);
    EXPECT_EQ(entries(mru), QStringList({"f1", "f3", "f4", "f5", "f6"}));
    EXPECT_EQ(menu->separators(), std::vector<int>{});
    mru.Clear();
    EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
    EXPECT_EQ(menu->elements.size(), 1u);
    EXPECT_EQ(changes, 8);
}

TEST_F(MRUTest, BindingAnotherTargetClearsThePreviousOne) {
    addNumbered(2);
    auto other = std::make_shared<FakeMenu>();
    changes = 0;
    mru.Load(other);
    EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
    EXPECT_EQ(other->shown(), QStringList({"2:f1", "4:f2"}));
    mru.Load(nullptr);
    EXPECT_EQ(other->elements.size(), 1u);
    EXPECT_EQ(changes, 0);
    mru.Add(u"f3"_qs); // no target: only the list changes
    EXPECT_EQ(mru.Count(), 3);
}

TEST_F(MRUTest, CaptionsShowAmpersandsLiterally) {
    mru.Add(u"/home/a&b.txt"_qs);
    EXPECT_EQ(menu->elements.at(2).caption, u"/home/a&&b.txt"_qs);
    EXPECT_EQ(mru.Item(1), u"/home/a&b.txt"_qs);
}

TEST_F(MRUTest, ExistsWantsARegularFileNamedLiterally) {
    QTemporaryDir dir;
    for (const char* name : {"plain.txt", ".hidden", "x*?.txt"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_qs));
    const std::map<QString, bool> cases{{u"plain.txt"_qs, true}, {u".hidden"_qs, true},
                                        {u"x*?.txt"_qs, true},   {u"folder"_qs, false},
                                        {u"*.txt"_qs, false},    {u"missing.txt"_qs, false}};
    for (const auto& [name, exists] : cases) {
        mru.Add(dir.filePath(name));
        QString value;
        EXPECT_EQ(mru.Exists(1, &value), exists) << name.toStdString();
        EXPECT_EQ(value, dir.filePath(name));
    }
    mru.Add(QString());
    EXPECT_FALSE(mru.Exists(1));
}

class MRUPersistTest : public MRUTest {
protected:
    void addThree() {
        for (const char* name : {"C:\\c.txt", "B:\\b.txt", "A:\\a.txt"})
            mru.Add(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    std::shared_ptr<platform::RegistryStore> store =
        std::make_shared<platform::RegistryStore>(dir.filePath(u"registry.db"_qs));
    std::shared_ptr<RegKey> key = Registry::create(store)->Item(
        HKEY_CURRENT_USER, u"Software\\Ardenfall\\Penlark\\MostRecentFiles"_qs);
};

TEST_F(MRUPersistTest, RegistryRoundTrip) {
    addThree();
    ASSERT_TRUE(mru.Save(*key));
    EXPECT_EQ(key->GetValue(u"Count"_qs), Variant(int32_t(3)));
    EXPECT_EQ(key->GetValue(u"1"_qs), Variant(u"A:\\a.txt"_qs));

    MRU loaded;
    loaded.Add(u"discarded"_qs);
    EXPECT_TRUE(loaded.Load(*key));
    EXPECT_EQ(entries(loaded), entries(mru));

    // Saving fewer entries leaves the higher numbers behind, and an empty list drops Count.
    mru.Clear();
    mru.Save(*key);
    EXPECT_TRUE(key->GetValue(u"Count"_qs).isEmpty());
    EXPECT_EQ(key->GetValue(u"3"_qs), Variant(u"C:\\c.txt"_qs));
}

TEST_F(MRUPersistTest, RegistryGapsAndBadCounts) {
    key->SetValue(u"Count"_qs, int32_t(2));
    key->SetValue(u"1"_qs, u"one"_qs);
    EXPECT_TRUE(mru.Load(*key));
    EXPECT_EQ(entries(mru), QStringList({"one", "-- error --"}));
    EXPECT_EQ(menuAtChange, QStringList({"2:one", "4:-- error --"}));
    EXPECT_EQ(changes, 1);

    for (const int32_t count : {-1, MRU::Capacity + 1, INT32_MAX}) {
        key->SetValue(u"Count"_qs, count);
        EXPECT_FALSE(mru.Load(*key));
        EXPECT_EQ(mru.Count(), 0);
        EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
    }
}

TEST_F(MRUPersistTest, ArchiveRoundTripBytes) {
    mru.Add(u"a"_qs);
    mru.Add(u"bc"_qs);
    const QString path = dir.filePath(u"mru.bin"_qs);
    Archive archive;
    archive.OpenArchive(path, true);
    ASSERT_TRUE(archive.SerializePersistableObject(mru));
    archive.CloseArchive();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toHex(' '),
              QByteArray("02 00 00 00 04 00 00 00 62 00 63 00 02 00 00 00 61 00"));

    MRU loaded;
    int loadedChanges = 0;
    QObject::connect(&loaded, &MRU::Change, [&] { ++loadedChanges; });
    archive.OpenArchive(path, false);
    EXPECT_TRUE(loaded.Serialize(archive));
    EXPECT_EQ(entries(loaded), QStringList({"bc", "a"}));
    EXPECT_EQ(loadedChanges, 1);

    archive.CloseArchive();
    EXPECT_FALSE(loaded.Serialize(archive)); // neither storing nor loading
}

TEST_F(MRUPersistTest, CorruptArchiveFailsWithoutAllocating) {
    const QString path = dir.filePath(u"bad.bin"_qs);
    const QByteArray strings = QByteArray::fromHex("02000000610002000000620000000000");
    for (const QByteArray& count :
         {QByteArray::fromHex("ffffffff"), QByteArray::fromHex("ffffff7f"),
          QByteArray::fromHex("00010000")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(count + strings);
        file.close();
        addThree();
        changes = 0;
        Archive archive;
        archive.OpenArchive(path, false);
        EXPECT_FALSE(mru.Serialize(archive));
        EXPECT_EQ(mru.Count(), 0);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(menu->shown(), QStringList({"0:(なし)"}));
    }
}

TEST_F(MRUPersistTest, PropertyBagRoundTripAndDefaults) {
    PropertyBag bag;
    mru.SaveMRU(bag);
    EXPECT_EQ(bag.Count(), 0);

    addThree();
    mru.SaveMRU(bag);
    EXPECT_EQ(bag.Names(), QStringList({"Count", "Item1", "Item2", "Item3"}));
    MRU loaded;
    loaded.Add(u"discarded"_qs);
    loaded.LoadMRU(bag);
    EXPECT_EQ(entries(loaded), entries(mru));

    PropertyBag gap;
    gap.WriteProperty(u"Count"_qs, int32_t(2));
    gap.WriteProperty(u"Item1"_qs, u"one"_qs);
    loaded.LoadMRU(gap);
    EXPECT_EQ(entries(loaded), QStringList({"one", "\tError"}));

    changes = 0;
    gap.WriteProperty(u"Count"_qs, u"not a number"_qs);
    mru.LoadMRU(gap);
    EXPECT_EQ(mru.Count(), 0);
    EXPECT_EQ(changes, 1);
}

TEST(QMenuItemFamilyTest, KeepsTheEntriesInIndexOrderAfterThePlaceholder) {
    ASSERT_TRUE(haveWidgets());
    QMenu menu;
    QAction* open = menu.addAction(u"開く"_qs);
    QAction* none = menu.addAction(u"(なし)"_qs);
    QAction* quit = menu.addAction(u"終了"_qs);
    auto family = std::make_shared<QMenuItemFamily>(&menu, none);
    MRU mru;
    mru.Load(family);
    for (int i = 6; i >= 1; --i)
        mru.Add(QStringLiteral("f%1").arg(i));

    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (action->isVisible())
            texts << (action->isSeparator() ? u"|"_qs : action->text());
        if (family->IndexOf(action) > 0) {
            EXPECT_EQ(action->data().toInt(), family->IndexOf(action));
        }
    }
    EXPECT_EQ(texts, QStringList({"開く", "f1", "f2", "f3", "f4", "f5", "|", "f6", "終了"}));
    EXPECT_EQ(family->IndexOf(open), -1);
    EXPECT_EQ(family->IndexOf(none), 0);
    EXPECT_EQ(errorOf([&] { family->Load(4); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { family->Unload(0); }), errors::InvalidArgument);
    EXPECT_EQ(errorOf([&] { family->SetVisible(13, true); }), errors::InvalidArgument);

    mru.Clear();
    EXPECT_EQ(menu.actions(), QList<QAction*>({open, none, quit}));
    EXPECT_TRUE(none->isVisible());

    // Loaded out of order, the elements still follow the placeholder by index; the family
    // deletes them when it goes.
    mru.Load(nullptr);
    family->Load(4);
    family->Load(2);
    EXPECT_EQ(family->Indexes(), std::vector<int>({0, 2, 4}));
    ASSERT_EQ(menu.actions().size(), 5);
    EXPECT_EQ(menu.actions().at(2)->data().toInt(), 2);
    EXPECT_EQ(menu.actions().at(3)->data().toInt(), 4);
    EXPECT_EQ(menu.actions().at(4), quit);
    family.reset();
    EXPECT_EQ(menu.actions(), QList<QAction*>({open, none, quit}));
}

} // namespace
