#include "common/Settings.h"

#include "orvenly/AutomationError.h"
#include "orvenly/IStream.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"
#include "tests/support/DirectionlessStream.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using orvenly::AutomationError;
using orvenly::IRegister;
using orvenly::Variant;
using penlark::cSettings;

// The program's key in a registry file of the test's own.
class SettingsStore : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::shared_ptr<orvenly::Registry> registry = orvenly::Registry::create(
        std::make_shared<platform::RegistryStore>(dir.filePath(u"registry.db"_s)));
    std::shared_ptr<orvenly::RegKey> key =
        registry->Item(orvenly::HKEY_CURRENT_USER, u"Software\\Ardenfall\\Penlark"_s);

    QStringList valueNames(const QString& subKey) const {
        const std::shared_ptr<IRegister> sub = key->SubKey(subKey);
        QStringList names;
        QString name;
        QString value;
        while (sub->EnumValue(name, value))
            names.append(name);
        return names;
    }

    Variant stored(const QString& subKey, const QString& name) const {
        return key->SubKey(subKey)->GetValue(name);
    }

    void store(const QString& subKey, const QString& name, const Variant& value) {
        key->SubKey(subKey)->SetValue(name, value);
    }

    cSettings loaded() const {
        cSettings settings;
        EXPECT_TRUE(settings.Load(*key));
        return settings;
    }
};

TEST_F(SettingsStore, EmptyRegistryGivesTheDefaults) {
    const cSettings settings = loaded();
    EXPECT_FALSE(settings.Startup);
    EXPECT_EQ(settings.ShowRecentFiles, 5);
    EXPECT_TRUE(settings.JISFilter);
    EXPECT_TRUE(settings.AutoIndent);
    EXPECT_TRUE(settings.AutoTruncate);
    EXPECT_TRUE(settings.ResumeCol);
    EXPECT_TRUE(settings.Margin);
    EXPECT_TRUE(settings.TextDrag);
    EXPECT_EQ(settings.TabStep, 8);
    EXPECT_TRUE(settings.AutoMoveDialog);
    EXPECT_TRUE(settings.LineNumbers);
    EXPECT_TRUE(settings.ShowWideSpace);
    EXPECT_FALSE(settings.ShowTab);
    EXPECT_FALSE(settings.ShowLineEnd);
    EXPECT_FALSE(settings.ShowEOF);
    EXPECT_EQ(settings.Font, (penlark::FontChoice{u"ＭＳ ゴシック"_s, 12.0}));
    EXPECT_EQ(settings.ForeColor, 0x80000008u);
    EXPECT_EQ(settings.BackColor, 0x80000005u);
}

TEST_F(SettingsStore, SavingTheDefaultsKeepsOnlyTheAlwaysWrittenValues) {
    // Values left from earlier settings are removed when they return to their defaults.
    store(u"Global"_s, u"JISFilter"_s, false);
    store(u"Editor"_s, u"FontFamilly"_s, u"IPAGothic"_s);
    store(u"Editor"_s, u"ForeColor"_s, int32_t(0xFF));
    store(u"Editor"_s, u"ShowTab"_s, true);

    cSettings settings = loaded();
    settings.ShowTab = false;
    settings.JISFilter = true;
    settings.Font.faceName = u"ＭＳ ゴシック"_s;
    settings.ForeColor = 0x80000008u;
    ASSERT_TRUE(settings.Save(*key));

    EXPECT_EQ(valueNames(u"Global"_s), QStringList{u"NumberOfShowRecentFiles"_s});
    EXPECT_EQ(valueNames(u"Editor"_s), (QStringList{u"TabStep"_s, u"FontSize"_s}));
    EXPECT_EQ(stored(u"Global"_s, u"NumberOfShowRecentFiles"_s), Variant(int32_t(5)));
    EXPECT_EQ(stored(u"Editor"_s, u"TabStep"_s), Variant(int32_t(8)));
    EXPECT_EQ(stored(u"Editor"_s, u"FontSize"_s), Variant(int32_t(120)));
}

TEST_F(SettingsStore, NonDefaultValuesRoundTrip) {
    cSettings settings;
    settings.JISFilter = false;
    settings.ForeColor = 0x00FF8040u;
    settings.BackColor = 0x8000000Fu;
    settings.Startup = true;
    settings.ShowRecentFiles = 0;
    settings.Font = {u"IPAGothic"_s, 9.5};
    settings.AutoIndent = false;
    settings.AutoTruncate = false;
    settings.ResumeCol = false;
    settings.Margin = false;
    settings.TextDrag = false;
    settings.TabStep = 4;
    settings.AutoMoveDialog = false;
    settings.LineNumbers = false;
    settings.ShowWideSpace = false;
    settings.ShowTab = true;
    settings.ShowLineEnd = true;
    settings.ShowEOF = true;
    ASSERT_TRUE(settings.Save(*key));

    // Booleans are stored as Booleans, colours as Longs, the face as a string.
    EXPECT_EQ(stored(u"Global"_s, u"OpenNewStartup"_s), Variant(int32_t(-1)));
    EXPECT_EQ(stored(u"Editor"_s, u"Margin"_s), Variant(int32_t(0)));
    EXPECT_EQ(stored(u"Editor"_s, u"LineNumbers"_s), Variant(int32_t(0)));
    EXPECT_EQ(stored(u"Editor"_s, u"ShowEOF"_s), Variant(int32_t(-1)));
    EXPECT_EQ(stored(u"Editor"_s, u"BackColor"_s), Variant(int32_t(0x8000000Fu)));
    EXPECT_EQ(stored(u"Editor"_s, u"FontFamilly"_s), Variant(u"IPAGothic"_s));

    const cSettings back = loaded();
    EXPECT_EQ(back.JISFilter, settings.JISFilter);
    EXPECT_EQ(back.ForeColor, settings.ForeColor);
    EXPECT_EQ(back.BackColor, settings.BackColor);
    EXPECT_EQ(back.Startup, settings.Startup);
    EXPECT_EQ(back.ShowRecentFiles, settings.ShowRecentFiles);
    EXPECT_EQ(back.Font, settings.Font);
    EXPECT_EQ(back.AutoIndent, settings.AutoIndent);
    EXPECT_EQ(back.AutoTruncate, settings.AutoTruncate);
    EXPECT_EQ(back.ResumeCol, settings.ResumeCol);
    EXPECT_EQ(back.Margin, settings.Margin);
    EXPECT_EQ(back.TextDrag, settings.TextDrag);
    EXPECT_EQ(back.TabStep, settings.TabStep);
    EXPECT_EQ(back.AutoMoveDialog, settings.AutoMoveDialog);
    EXPECT_EQ(back.LineNumbers, settings.LineNumbers);
    EXPECT_EQ(back.ShowWideSpace, settings.ShowWideSpace);
    EXPECT_EQ(back.ShowTab, settings.ShowTab);
    EXPECT_EQ(back.ShowLineEnd, settings.ShowLineEnd);
    EXPECT_EQ(back.ShowEOF, settings.ShowEOF);
}

TEST_F(SettingsStore, ColourIsStoredOnlyWhenItDiffersFromItsDefault) {
    cSettings settings = loaded();
    settings.ForeColor = 0x80000005u; // a system colour, but not the default one
    ASSERT_TRUE(settings.Save(*key));
    EXPECT_EQ(stored(u"Editor"_s, u"ForeColor"_s), Variant(int32_t(0x80000005u)));
    EXPECT_FALSE(valueNames(u"Editor"_s).contains(u"BackColor"_s));
    EXPECT_EQ(loaded().ForeColor, 0x80000005u);
}

TEST_F(SettingsStore, FontSizeIsStoredInTenthsRoundedHalfToEven) {
    cSettings settings = loaded();
    for (const auto& [points, tenths] : {std::pair{10.5, 105}, {10.25, 102}, {10.75, 108}}) {
        settings.Font.pointSize = points;
        ASSERT_TRUE(settings.Save(*key));
        EXPECT_EQ(stored(u"Editor"_s, u"FontSize"_s), Variant(int32_t(tenths))) << points;
    }
    settings.Font.pointSize = 10.5;
    ASSERT_TRUE(settings.Save(*key));
    EXPECT_EQ(loaded().Font.pointSize, 10.5);

    store(u"Editor"_s, u"FontSize"_s, int32_t(95));
    EXPECT_EQ(loaded().Font.pointSize, 9.5);
}

TEST_F(SettingsStore, UnusableFontSizeReadsAsTheDefault) {
    for (const Variant& size : {Variant(int32_t(0)), Variant(int32_t(-80)), Variant(u"big"_s)}) {
        store(u"Editor"_s, u"FontSize"_s, size);
        EXPECT_EQ(loaded().Font.pointSize, 12.0) << size.toString().toStdString();
    }
}

// A key on which every operation fails, as a broken store would.
class FailingRegister : public IRegister {
public:
    Variant GetValue(const QString&, const std::optional<Variant>&) override { fail(); }
    void SetValue(const QString&, const Variant&, const std::optional<Variant>&) override {
        fail();
    }
    std::shared_ptr<IRegister> SubKey(const QString& name) override {
        if (name == u"Editor"_s)
            fail();
        return std::make_shared<FailingRegister>();
    }
    int32_t GetValueAny(const QString&, void*, int32_t) override { fail(); }
    void SetValueAny(const QString&, const void*, int32_t) override { fail(); }
    bool EnumValue(QString&, QString&) override { fail(); }
    bool EnumSubKey(QString&) override { fail(); }
    bool DeleteSubKey(const QString&) override { fail(); }

private:
    [[noreturn]] static void fail() { throw AutomationError(orvenly::errors::PermissionDenied); }
};

TEST(SettingsFailures, LoadKeepsEveryMemberAndSaveReportsTheError) {
    cSettings settings;
    settings.ShowRecentFiles = 3;
    settings.JISFilter = true;
    settings.Font = {u"IPAGothic"_s, 11.0};
    FailingRegister broken;
    EXPECT_TRUE(settings.Load(broken));
    EXPECT_EQ(settings.ShowRecentFiles, 3);
    EXPECT_TRUE(settings.JISFilter);
    EXPECT_EQ(settings.Font, (penlark::FontChoice{u"IPAGothic"_s, 11.0}));

    EXPECT_THROW(settings.Save(broken), AutomationError);

    DirectionlessStream stream;
    EXPECT_FALSE(settings.Serialize(stream));
}

} // namespace
