#include "shell/EntryPoint.h"

#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "orvenly/Registry.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using orvenly::Variant;
using penlark::ExtraTool;

class EntryPointStore : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::shared_ptr<orvenly::Registry> registry = orvenly::Registry::create(
        std::make_shared<platform::RegistryStore>(dir.filePath(u"registry.db"_s)));
    std::shared_ptr<orvenly::RegKey> makerKey =
        registry->Item(orvenly::HKEY_CURRENT_USER, u"Software\\Ardenfall"_s);

    QString makeFile(const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QStringList valueNames() const {
        QStringList names;
        QString name;
        QString value;
        while (makerKey->EnumValue(name, value))
            names.append(name);
        return names;
    }
};

TEST_F(EntryPointStore, RegisterProgramRecordsPathAndVersion) {
    const auto programKey =
        registry->Item(orvenly::HKEY_CURRENT_USER, u"Software\\Ardenfall\\Penlark"_s);
    penlark::RegisterProgram(*programKey, u"/opt/penlark/bin/penlark"_s);

    EXPECT_EQ(makerKey->GetValue(u"Penlark"_s), Variant(u"/opt/penlark/bin/penlark"_s));
    EXPECT_EQ(programKey->GetValue(u"Version"_s), Variant(int32_t(100)));
    EXPECT_EQ(programKey->GetValue(u"Version"_s).type(), Variant::Type::Long);
}

TEST_F(EntryPointStore, RegisterProgramNeedsAParentKey) {
    const auto topKey = registry->Item(orvenly::HKEY_CURRENT_USER, u"Software"_s);
    EXPECT_THROW(penlark::RegisterProgram(*topKey, u"/bin/penlark"_s), orvenly::AutomationError);
}

TEST_F(EntryPointStore, ExtraToolsSkipsThisProgramAndDropsMissingOnes) {
    makerKey->SetValue(u"Penlark"_s, makeFile(u"penlark"_s));
    makerKey->SetValue(u"Zeta"_s, makeFile(u"zeta"_s));
    makerKey->SetValue(u"Gone"_s, dir.filePath(u"gone"_s));
    makerKey->SetValue(u"Folder"_s, dir.path());
    makerKey->SetValue(u"Alpha"_s, makeFile(u"alpha"_s));

    const std::vector<ExtraTool> expected = {{u"Zeta"_s, dir.filePath(u"zeta"_s)},
                                             {u"Alpha"_s, dir.filePath(u"alpha"_s)}};
    EXPECT_EQ(penlark::ExtraTools(*makerKey), expected);
    EXPECT_EQ(valueNames(), (QStringList{u"Penlark"_s, u"Zeta"_s, u"Alpha"_s}));
    // The walk ends at the end of the list, so the next one starts from the first value.
    EXPECT_EQ(penlark::ExtraTools(*makerKey), expected);
}

TEST(ExtraToolCaption, NumbersTheEntryAndMarksItsAccessKey) {
    EXPECT_EQ(penlark::ExtraToolCaption(1, u"Alpha"_s), u"&1. Alpha ..."_s);
    EXPECT_EQ(penlark::ExtraToolCaption(12, u"ツール"_s), u"&12. ツール ..."_s);
}

TEST_F(EntryPointStore, FileExistsOnlyForReadableRegularFiles) {
    EXPECT_TRUE(penlark::FileExists(makeFile(u"ファイル.txt"_s)));
    EXPECT_FALSE(penlark::FileExists(dir.filePath(u"missing.txt"_s)));
    EXPECT_FALSE(penlark::FileExists(dir.path()));
    EXPECT_FALSE(penlark::FileExists(QString()));
}

} // namespace
