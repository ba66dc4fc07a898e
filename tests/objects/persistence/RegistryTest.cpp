#include "orvenly/Registry.h"
#include "orvenly/AutomationError.h"
#include "orvenly/RegKey.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTemporaryDir>
#include <bit>
#include <cstring>

using namespace orvenly;
using platform::RegistryStore;

namespace {

QByteArray bytes(std::initializer_list<uint8_t> list) {
    QByteArray result;
    for (uint8_t b : list)
        result.append(char(b));
    return result;
}

QByteArray doubleBytes(double value) {
    QByteArray result(8, Qt::Uninitialized);
    std::memcpy(result.data(), &value, 8); // the host is little-endian
    return result;
}

template <class F> void expectError(int32_t number, const QString& source, F&& action) {
    try {
        action();
        ADD_FAILURE() << "no error " << number;
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.number(), number);
        EXPECT_EQ(error.source(), source);
    }
}

const QString RegistrySource = u"OrvenlyCls.Registry"_qs;
const QString RegKeySource = u"OrvenlyCls.RegKey"_qs;

class RegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::shared_ptr<RegistryStore> store =
        std::make_shared<RegistryStore>(dir.filePath(u"registry.db"_qs));
    std::shared_ptr<Registry> registry = Registry::create(store);
    std::shared_ptr<RegKey> key = registry->Item(HKEY_CURRENT_USER, u"Software\\Test"_qs);

    RegistryStore::Key handle(const RegKey& k) {
        return *store->openKey(*RegistryStore::root(uint32_t(k.RootKey())), k.Path());
    }
    void putRaw(const QString& name, uint32_t type, const QByteArray& data) {
        ASSERT_TRUE(store->setValue(handle(*key), name, type, data));
    }
    std::optional<RegistryStore::Value> raw(const QString& name) {
        return store->queryValue(handle(*key), name);
    }
    void expectStored(const QString& name, uint32_t type, const QByteArray& data) {
        const auto value = raw(name);
        ASSERT_TRUE(value) << name.toStdString();
        EXPECT_EQ(value->type, type) << name.toStdString();
        EXPECT_EQ(value->data.toHex(' '), data.toHex(' ')) << name.toStdString();
    }
};

TEST_F(RegistryTest, StringsReadAsTextWithoutDefaultOrWithAStringDefault) {
    key->SetValue(u"S"_qs, u"abc"_qs);
    expectStored(u"S"_qs, platform::REG_SZ, "abc\0"_qba);
    EXPECT_EQ(key->GetValue(u"S"_qs), Variant(u"abc"_qs));
    EXPECT_EQ(key->GetValue(u"S"_qs, Variant(u"other"_qs)), Variant(u"abc"_qs));
    EXPECT_EQ(key->GetValue(u"S"_qs, Variant(int32_t(0))), Variant(int32_t(0)));

    putRaw(u"Expand"_qs, platform::REG_EXPAND_SZ, "%HOME%\\x\0"_qba);
    EXPECT_EQ(key->GetValue(u"Expand"_qs), Variant(u"%HOME%\\x"_qs)) << "no expansion";
    putRaw(u"Multi"_qs, platform::REG_MULTI_SZ, "a\0b\0\0"_qba);
    EXPECT_EQ(key->GetValue(u"Multi"_qs).toString(), QString::fromUtf16(u"a\0b\0", 4));
    putRaw(u"Unterminated"_qs, platform::REG_SZ, "abc"_qba);
    EXPECT_EQ(key->GetValue(u"Unterminated"_qs), Variant(u"ab"_qs));
    for (const QByteArray& tiny : {QByteArray(), "\0"_qba, "x"_qba}) {
        putRaw(u"Tiny"_qs, platform::REG_SZ, tiny);
        EXPECT_EQ(key->GetValue(u"Tiny"_qs), Variant(QString()));
    }

    const QString beyond932 = u"한국어 😀 Ελληνικά \u00A0ẞ"_qs;
    key->SetValue(u"名前"_qs, beyond932);
    EXPECT_EQ(key->GetValue(u"名前"_qs), Variant(beyond932));
    expectStored(u"名前"_qs, platform::REG_SZ, beyond932.toUtf8() + '\0');
}

TEST_F(RegistryTest, BinaryReadsAsBytesOrAsAnEightByteNumber) {
    putRaw(u"D"_qs, platform::REG_BINARY, doubleBytes(1.5));
    EXPECT_EQ(key->GetValue(u"D"_qs), Variant(doubleBytes(1.5)));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(QByteArray("x"))), Variant(doubleBytes(1.5)));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(0.0)), Variant(1.5));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(Date{})), Variant(Date{1.5}));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(Currency{})),
              Variant(Currency{std::bit_cast<int64_t>(1.5)}));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(int32_t(7))), Variant(int32_t(7)));
    EXPECT_EQ(key->GetValue(u"D"_qs, Variant(u"s"_qs)), Variant(u"s"_qs));

    putRaw(u"Seven"_qs, platform::REG_BINARY, doubleBytes(1.5).left(7));
    EXPECT_EQ(key->GetValue(u"Seven"_qs, Variant(2.0)), Variant(2.0));
    putRaw(u"None"_qs, platform::REG_BINARY, QByteArray());
    EXPECT_EQ(key->GetValue(u"None"_qs), Variant(QByteArray()));
}

TEST_F(RegistryTest, DwordsReadAsTheDefaultsType) {
    // Low word 0x8005, high word 0x0001.
    putRaw(u"N"_qs, platform::REG_DWORD, bytes({0x05, 0x80, 0x01, 0x00}));
    EXPECT_EQ(key->GetValue(u"N"_qs), Variant(int32_t(0x18005)));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(int32_t(0))), Variant(int32_t(0x18005)));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(int16_t(0))), Variant(int16_t(-32763)));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(0.0f)), Variant(std::bit_cast<float>(0x18005u)));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(false)), Variant(true));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(uint8_t(0))), Variant(uint8_t(5)));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(9.0)), Variant(9.0));
    EXPECT_EQ(key->GetValue(u"N"_qs, Variant(u"s"_qs)), Variant(u"s"_qs));

    putRaw(u"HighOnly"_qs, platform::REG_DWORD, bytes({0, 0, 1, 0}));
    EXPECT_EQ(key->GetValue(u"HighOnly"_qs, Variant(true)), Variant(false))
        << "only the low word counts for a Boolean";
    putRaw(u"Short"_qs, platform::REG_DWORD, bytes({1, 0}));
    EXPECT_EQ(key->GetValue(u"Short"_qs, Variant(int32_t(3))), Variant(int32_t(3)));
}

TEST_F(RegistryTest, OtherTypesAndMissingValuesGiveTheDefault) {
    for (uint32_t type :
         {platform::REG_NONE, platform::REG_DWORD_BIG_ENDIAN, platform::REG_LINK, uint32_t(11)}) {
        putRaw(u"Odd"_qs, type, bytes({1, 0, 0, 0}));
        EXPECT_EQ(key->GetValue(u"Odd"_qs, Variant(int32_t(4))), Variant(int32_t(4))) << type;
        EXPECT_TRUE(key->GetValue(u"Odd"_qs).isEmpty()) << type;
    }
    EXPECT_EQ(key->GetValue(u"Missing"_qs, Variant(u"d"_qs)), Variant(u"d"_qs));
    EXPECT_TRUE(key->GetValue(u"Missing"_qs).isEmpty());
    EXPECT_TRUE(key->GetValue(u"Missing"_qs, Variant(Null{})).isNull());
}

TEST_F(RegistryTest, EachTypeIsWrittenByTheTable) {
    key->SetValue(u"Integer"_qs, Variant(int16_t(-1)));
    expectStored(u"Integer"_qs, platform::REG_DWORD, bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    key->SetValue(u"Long"_qs, Variant(int32_t(0x01020304)));
    expectStored(u"Long"_qs, platform::REG_DWORD, bytes({4, 3, 2, 1}));
    key->SetValue(u"True"_qs, Variant(true));
    expectStored(u"True"_qs, platform::REG_DWORD, bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    key->SetValue(u"Byte"_qs, Variant(uint8_t(200)));
    expectStored(u"Byte"_qs, platform::REG_DWORD, bytes({200, 0, 0, 0}));
    key->SetValue(u"Single"_qs, Variant(1.5f));
    expectStored(u"Single"_qs, platform::REG_DWORD, bytes({0, 0, 0xC0, 0x3F}));
    key->SetValue(u"Double"_qs, Variant(1.5));
    expectStored(u"Double"_qs, platform::REG_BINARY, doubleBytes(1.5));
    key->SetValue(u"Date"_qs, Variant(Date{45000.25}));
    expectStored(u"Date"_qs, platform::REG_BINARY, doubleBytes(45000.25));
    key->SetValue(u"Currency"_qs, Variant(Currency{12345678}));
    expectStored(u"Currency"_qs, platform::REG_BINARY, bytes({0x4E, 0x61, 0xBC, 0, 0, 0, 0, 0}));
    key->SetValue(u"One"_qs, Variant(bytes({7})));
    expectStored(u"One"_qs, platform::REG_BINARY, bytes({7}));
    key->SetValue(u"Empty array"_qs, Variant(QByteArray()));
    expectStored(u"Empty array"_qs, platform::REG_BINARY, QByteArray());

    EXPECT_EQ(key->GetValue(u"True"_qs), Variant(int32_t(-1)));
    EXPECT_EQ(key->GetValue(u"True"_qs, Variant(false)), Variant(true));
    EXPECT_EQ(key->GetValue(u"Integer"_qs, Variant(int16_t(0))), Variant(int16_t(-1)));
    EXPECT_EQ(key->GetValue(u"Byte"_qs), Variant(int32_t(200)));
    EXPECT_EQ(key->GetValue(u"Single"_qs, Variant(0.0f)), Variant(1.5f));
    EXPECT_EQ(key->GetValue(u"Single"_qs), Variant(int32_t(0x3FC00000)));
    EXPECT_EQ(key->GetValue(u"Double"_qs, Variant(0.0)), Variant(1.5));
    EXPECT_EQ(key->GetValue(u"Date"_qs, Variant(Date{})), Variant(Date{45000.25}));
    EXPECT_EQ(key->GetValue(u"Currency"_qs, Variant(Currency{})), Variant(Currency{12345678}))
        << "a currency comes back exactly";
    EXPECT_EQ(key->GetValue(u"Empty array"_qs), Variant(QByteArray()));
}

TEST_F(RegistryTest, AValueEqualToItsDefaultIsDeleted) {
    key->SetValue(u"X"_qs, Variant(int32_t(5)), Variant(int32_t(5)));
    EXPECT_FALSE(raw(u"X"_qs)) << "absent, and no error for that";
    EXPECT_EQ(key->GetValue(u"X"_qs, Variant(int32_t(5))), Variant(int32_t(5)));

    key->SetValue(u"X"_qs, Variant(int16_t(5)), Variant(int32_t(5)));
    expectStored(u"X"_qs, platform::REG_DWORD, bytes({5, 0, 0, 0}));
    key->SetValue(u"X"_qs, Variant(int32_t(5)), Variant(int32_t(5)));
    EXPECT_FALSE(raw(u"X"_qs)) << "an existing value is deleted";

    key->SetValue(u"S"_qs, Variant(u"abc"_qs), Variant(u"ABC"_qs));
    expectStored(u"S"_qs, platform::REG_SZ, "abc\0"_qba);
    key->SetValue(u"S"_qs, Variant(u"abc"_qs), Variant(u"abc"_qs));
    EXPECT_FALSE(raw(u"S"_qs));

    key->SetValue(u"A"_qs, Variant(bytes({1, 2})));
    key->SetValue(u"A"_qs, Variant(bytes({1, 2})), Variant(bytes({1, 2})));
    EXPECT_FALSE(raw(u"A"_qs)) << "arrays compare by content";
    key->SetValue(u"A"_qs, Variant(bytes({1, 2})), Variant(bytes({1, 3})));
    EXPECT_TRUE(raw(u"A"_qs));

    key->SetValue(u"C"_qs, Variant(Currency{10000}), Variant(Currency{10000}));
    EXPECT_FALSE(raw(u"C"_qs));
    key->SetValue(u"B"_qs, Variant(false), Variant(false));
    EXPECT_FALSE(raw(u"B"_qs));

    for (const Variant& nothing : {Variant(), Variant(Null{})}) {
        key->SetValue(u"E"_qs, Variant(u"there"_qs));
        key->SetValue(u"E"_qs, nothing);
        EXPECT_FALSE(raw(u"E"_qs));
        key->SetValue(u"E"_qs, nothing);
    }
}

TEST_F(RegistryTest, RawValuesGoThroughTheCallersBuffer) {
    const char data[] = {1, 0, 2, 0, 3};
    key->SetValueAny(u"Raw"_qs, data, 5);
    expectStored(u"Raw"_qs, platform::REG_BINARY, QByteArray(data, 5));

    char buffer[8] = {};
    EXPECT_EQ(key->GetValueAny(u"Raw"_qs, buffer, 8), 5);
    EXPECT_EQ(QByteArray(buffer, 5), QByteArray(data, 5));
    EXPECT_EQ(key->GetValueAny(u"Raw"_qs, buffer, 5), 5);
    EXPECT_EQ(key->GetValueAny(u"Raw"_qs, buffer, 4), 0) << "too small a buffer";
    EXPECT_EQ(key->GetValueAny(u"Missing"_qs, buffer, 8), 0);
    EXPECT_EQ(key->GetValueAny(u"Raw"_qs, nullptr, 8), 0);

    key->SetValue(u"Text"_qs, u"hi"_qs);
    EXPECT_EQ(key->GetValueAny(u"Text"_qs, buffer, 8), 3) << "any type is read";
    EXPECT_EQ(QByteArray(buffer, 3), "hi\0"_qba);

    key->SetValueAny(u"Nothing"_qs, nullptr, 0);
    expectStored(u"Nothing"_qs, platform::REG_BINARY, QByteArray());
    expectError(errors::PermissionDenied, RegKeySource,
                [&] { key->SetValueAny(u"Bad"_qs, nullptr, 4); });
}

TEST_F(RegistryTest, ValuesEnumerateWithTheirOwnPositions) {
    key->SetValue(u"First"_qs, u"one"_qs);
    key->SetValue(u"Second"_qs, Variant(int32_t(0x41)));
    key->SetValue(u"Third"_qs, QString::fromUtf16(u"cut\0here", 8));
    const auto other = registry->Item(HKEY_CURRENT_USER, u"software\\test"_qs);

    QString name, value;
    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"First"_qs);
    EXPECT_EQ(value, u"one"_qs);
    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"Second"_qs);
    EXPECT_EQ(value, u"A"_qs) << "the bytes 41 00 00 00 cut at the first zero";

    ASSERT_TRUE(other->EnumValue(name, value));
    EXPECT_EQ(name, u"First"_qs) << "another object starts at its own position";
    QString subKey;
    EXPECT_FALSE(key->EnumSubKey(subKey)) << "the subkey position is separate";

    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"Third"_qs);
    EXPECT_EQ(value, u"cut"_qs);
    name = u"kept"_qs;
    value = u"kept"_qs;
    EXPECT_FALSE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"kept"_qs);
    EXPECT_EQ(value, u"kept"_qs);
    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"First"_qs) << "a failure starts the enumeration again";
}

TEST_F(RegistryTest, EnumerationStopsAtDataOrNamesBeyondItsBuffers) {
    key->SetValue(u"Fits"_qs, Variant(QByteArray(1024, 'a')));
    key->SetValue(u"Too big"_qs, Variant(QByteArray(1025, 'b')));
    key->SetValue(u"After"_qs, u"x"_qs);
    QString name, value;
    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(value, QString(1024, u'a'));
    EXPECT_FALSE(key->EnumValue(name, value));
    ASSERT_TRUE(key->EnumValue(name, value));
    EXPECT_EQ(name, u"Fits"_qs) << "the position went back to 0";

    const auto names = registry->Item(HKEY_CURRENT_USER, u"Names"_qs);
    names->SetValue(QString(255, u'n'), u"x"_qs);
    names->SetValue(QString(256, u'n'), u"x"_qs);
    ASSERT_TRUE(names->EnumValue(name, value));
    EXPECT_EQ(name.size(), 255);
    EXPECT_FALSE(names->EnumValue(name, value));
}

TEST_F(RegistryTest, SubKeysEnumerateInCreationOrder) {
    for (const QString& name : {u"b"_qs, u"a"_qs, u"c"_qs})
        key->SubKey(name);
    QStringList names;
    QString name;
    ASSERT_TRUE(key->EnumSubKey(name));
    names << name;
    const auto other = registry->Item(HKEY_CURRENT_USER, u"Software\\Test"_qs);
    ASSERT_TRUE(other->EnumSubKey(name));
    EXPECT_EQ(name, u"b"_qs);
    while (key->EnumSubKey(name))
        names << name;
    EXPECT_EQ(names, (QStringList{u"b"_qs, u"a"_qs, u"c"_qs}));
    ASSERT_TRUE(key->EnumSubKey(name));
    EXPECT_EQ(name, u"b"_qs);
}

TEST_F(RegistryTest, ParentAndSubKeyFollowThePath) {
    const auto software = registry->Item(HKEY_CURRENT_USER, u"Software"_qs);
    EXPECT_EQ(software->Parent(), nullptr);
    const auto parent = key->Parent();
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->Path(), u"Software"_qs);
    EXPECT_EQ(parent->RootKey(), HKEY_CURRENT_USER);

    const auto child = std::static_pointer_cast<RegKey>(key->SubKey(u"A"_qs));
    EXPECT_EQ(child->Path(), u"Software\\Test\\A"_qs);
    EXPECT_EQ(child->RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(child->Parent()->Path(), u"Software\\Test"_qs);

    const auto machine = registry->Item(HKEY_LOCAL_MACHINE, u""_qs);
    const auto top = std::static_pointer_cast<RegKey>(machine->SubKey(u"Top"_qs));
    EXPECT_EQ(top->Path(), u"\\Top"_qs);
    EXPECT_EQ(top->Parent()->Path(), QString());
    const auto below = std::static_pointer_cast<RegKey>(top->SubKey(u"Below"_qs));
    const auto belowsParent = below->Parent();
    EXPECT_EQ(belowsParent->Path(), u"\\Top"_qs);
    EXPECT_EQ(belowsParent->RootKey(), HKEY_LOCAL_MACHINE);
    belowsParent->SetValue(u"v"_qs, u"same key"_qs);
    EXPECT_EQ(top->GetValue(u"v"_qs), Variant(u"same key"_qs));

    ASSERT_TRUE(registry->Delete(HKEY_CURRENT_USER, u"Software"_qs));
    EXPECT_FALSE(registry->Exists(HKEY_CURRENT_USER, u"Software"_qs));
    EXPECT_EQ(parent->GetValue(u"v"_qs, Variant(1.0)), Variant(1.0));
    ASSERT_NE(child->Parent()->Parent(), nullptr);
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Test"_qs))
        << "Parent makes a removed key again";
}

TEST_F(RegistryTest, DeleteSubKeyRemovesATreeBottomUp) {
    const auto a = key->SubKey(u"A"_qs);
    a->SetValue(u"v"_qs, u"1"_qs);
    const auto b = a->SubKey(u"B"_qs);
    b->SubKey(u"C1"_qs)->SetValue(u"v"_qs, u"2"_qs);
    b->SubKey(u"C2"_qs);
    a->SubKey(u"B2"_qs);
    key->SubKey(u"Keep"_qs);

    EXPECT_FALSE(key->DeleteSubKey(u"Absent"_qs));
    EXPECT_FALSE(key->DeleteSubKey(QString())) << "an empty name names no subkey";
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Test\\A\\B\\C1"_qs));

    EXPECT_TRUE(key->DeleteSubKey(u"a"_qs));
    EXPECT_FALSE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Test\\A"_qs));
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Test\\Keep"_qs));
    EXPECT_FALSE(key->DeleteSubKey(u"A"_qs));

    expectError(errors::PermissionDenied, RegKeySource, [&] { b->SetValue(u"v"_qs, u"x"_qs); });
    EXPECT_TRUE(b->GetValue(u"v"_qs).isEmpty());
}

TEST_F(RegistryTest, RegistryTestsAndDeletesKeys) {
    EXPECT_FALSE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Nothing"_qs));
    EXPECT_FALSE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Nothing"_qs))
        << "testing creates nothing";
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"SOFTWARE\\TEST"_qs));
    EXPECT_FALSE(registry->Exists(HKEY_USERS, u"Software\\Test"_qs));

    key->SubKey(u"One"_qs)->SubKey(u"Two"_qs)->SubKey(u"Three"_qs);
    registry->Item(HKEY_CURRENT_USER, u"Software\\Other"_qs);
    EXPECT_TRUE(registry->Delete(HKEY_CURRENT_USER, u"Software\\Test"_qs));
    EXPECT_FALSE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Test"_qs));
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Other"_qs));
    EXPECT_FALSE(registry->Delete(HKEY_CURRENT_USER, u"Software\\Test"_qs));

    EXPECT_FALSE(registry->Delete(HKEY_CURRENT_USER, QString()))
        << "a root cannot be deleted, so it is not emptied either";
    EXPECT_TRUE(registry->Exists(HKEY_CURRENT_USER, u"Software\\Other"_qs));

    const auto unknownRoot = RegistryRootkeyConstants(0x80000007);
    EXPECT_FALSE(registry->Exists(unknownRoot, QString()));
    EXPECT_FALSE(registry->Delete(unknownRoot, u"Software"_qs));
}

TEST_F(RegistryTest, RefusedOperationsRaiseFiveOrSeventy) {
    expectError(errors::InvalidArgument, RegistrySource,
                [&] { registry->Item(RegistryRootkeyConstants(0), u"Software"_qs); });
    expectError(errors::InvalidArgument, RegistrySource,
                [&] { registry->Item(HKEY_CURRENT_USER, u"a\\\\b"_qs); });
    expectError(errors::InvalidArgument, RegKeySource, [&] { key->SubKey(u"\\lead"_qs); });
    expectError(errors::InvalidArgument, RegKeySource,
                [&] { key->SetValue(u"O"_qs, Variant(std::make_shared<QObject>())); });
    expectError(errors::InvalidArgument, RegKeySource,
                [&] { key->SetValue(u"O"_qs, Variant(nullptr)); });
    EXPECT_FALSE(raw(u"O"_qs));

    // The key vanishes under the object: every write is refused.
    ASSERT_TRUE(registry->Delete(HKEY_CURRENT_USER, u"Software\\Test"_qs));
    expectError(errors::PermissionDenied, RegKeySource,
                [&] { key->SetValue(u"V"_qs, Variant(int32_t(1))); });
    expectError(errors::PermissionDenied, RegKeySource,
                [&] { key->SetValue(u"V"_qs, Variant(int32_t(1)), Variant(int32_t(1))); });
    expectError(errors::PermissionDenied, RegKeySource, [&] { key->SetValue(u"V"_qs, {}); });
    expectError(errors::PermissionDenied, RegKeySource, [&] { key->SetValueAny(u"V"_qs, "x", 1); });
    expectError(errors::InvalidArgument, RegKeySource, [&] { key->SubKey(u"Child"_qs); });
    QString name, value;
    EXPECT_FALSE(key->EnumValue(name, value));
    EXPECT_FALSE(key->EnumSubKey(name));
}

TEST_F(RegistryTest, KeysKeepTheirRegistryAlive) {
    std::weak_ptr<Registry> watched = registry;
    registry.reset();
    EXPECT_FALSE(watched.expired());
    ASSERT_NE(key->Parent(), nullptr);
    key.reset();
    EXPECT_TRUE(watched.expired());
}

} // namespace
