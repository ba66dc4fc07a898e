#include "orvenly/RegKey.h"

#include "orvenly/AutomationError.h"
#include "platform/RegistryStore.h"

#include <QStringList>
#include <QtEndian>
#include <bit>
#include <cstring>

namespace orvenly {

namespace {

using platform::RegistryStore;
using Type = Variant::Type;

const QString Source = QStringLiteral("OrvenlyCls.RegKey");

// The buffers an enumeration reads into: names of 255 characters and a terminator, and
// 1024 bytes of data.
constexpr qsizetype MaxEnumNameLength = 255;
constexpr qsizetype MaxEnumDataSize = 1024;

[[noreturn]] void raise(int32_t number) {
    throw AutomationError(number, {}, Source);
}

template <class T> QByteArray littleEndian(T value) {
    QByteArray bytes(sizeof value, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

template <class T> T fromLittleEndian(const QByteArray& data) {
    return qFromLittleEndian<T>(data.constData());
}

QByteArray upToZero(const QByteArray& bytes) {
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.first(zero);
}

QString upToZero(const QString& text) {
    const qsizetype zero = text.indexOf(QChar(0));
    return zero < 0 ? text : text.first(zero);
}

// Text in the store is UTF-8 with one terminating zero byte.
QString storedText(const QByteArray& data) {
    return data.size() < 2 ? QString() : QString::fromUtf8(data.chopped(1));
}

std::optional<Variant> fromBinary(const QByteArray& data, std::optional<Type> wanted) {
    if (!wanted || *wanted == Type::ByteArray)
        return Variant(data);
    if (data.size() != 8)
        return std::nullopt;
    switch (*wanted) {
    case Type::Double:
        return Variant(std::bit_cast<double>(fromLittleEndian<uint64_t>(data)));
    case Type::Date:
        return Variant(Date{std::bit_cast<double>(fromLittleEndian<uint64_t>(data))});
    case Type::Currency:
        return Variant(Currency{fromLittleEndian<int64_t>(data)});
    default:
        return std::nullopt;
    }
}

std::optional<Variant> fromDword(const QByteArray& data, std::optional<Type> wanted) {
    // Only a malformed value written from outside has another size; it counts as unreadable.
    if (data.size() != 4)
        return std::nullopt;
    const uint32_t bits = fromLittleEndian<uint32_t>(data);
    if (!wanted || *wanted == Type::Long)
        return Variant(int32_t(bits));
    switch (*wanted) {
    case Type::Integer:
        return Variant(int16_t(bits & 0xFFFF));
    case Type::Single:
        return Variant(std::bit_cast<float>(bits));
    case Type::Boolean:
        return Variant((bits & 0xFFFF) != 0);
    case Type::Byte:
        return Variant(uint8_t(bits & 0xFF));
    default:
        return std::nullopt;
    }
}

// The stored value as the type the default asks for; none when it does not convert.
std::optional<Variant> converted(const RegistryStore::Value& value, std::optional<Type> wanted) {
    switch (value.type) {
    case platform::REG_SZ:
    case platform::REG_EXPAND_SZ:
    case platform::REG_MULTI_SZ:
        if (!wanted || *wanted == Type::String)
            return Variant(storedText(value.data));
        return std::nullopt;
    case platform::REG_BINARY:
        return fromBinary(value.data, wanted);
    case platform::REG_DWORD:
        return fromDword(value.data, wanted);
    default:
        return std::nullopt;
    }
}

// The types for which a value equal to its default is deleted rather than written.
bool hasComparableType(const Variant& value) {
    switch (value.type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Date:
    case Type::String:
    case Type::Boolean:
    case Type::Byte:
    case Type::ByteArray:
        return true;
    default:
        return false;
    }
}

} // namespace

RegKey::RegKey(std::shared_ptr<Registry> registry, RegistryRootkeyConstants root, Handle handle,
               QString path)
    : m_registry(std::move(registry)), m_root(root), m_handle(handle), m_path(std::move(path)) {}

std::shared_ptr<RegKey> RegKey::Parent() const {
    const qsizetype cut = m_path.lastIndexOf(u'\\');
    if (cut < 0)
        return nullptr;
    const QString path = m_path.left(cut);
    // A subkey of a key opened with an empty path has a leading backslash, which no path
    // below a root may have: that key lies directly below the root.
    const QString relative = path.startsWith(u'\\') ? path.mid(1) : path;
    return m_registry->open(m_root, relative, path);
}

Variant RegKey::GetValue(const QString& Name, const std::optional<Variant>& DefaultValue) {
    const std::optional<Type> wanted =
        DefaultValue ? std::optional(DefaultValue->type()) : std::nullopt;
    if (const auto stored = store().queryValue(m_handle, Name))
        if (auto value = converted(*stored, wanted))
            return *std::move(value);
    return DefaultValue.value_or(Variant());
}

void RegKey::SetValue(const QString& Name, const Variant& Value,
                      const std::optional<Variant>& DefaultValue) {
    if (DefaultValue && hasComparableType(Value) && *DefaultValue == Value) {
        deleteValue(Name);
        return;
    }
    switch (Value.type()) {
    case Type::Empty:
    case Type::Null:
        deleteValue(Name);
        return;
    case Type::Integer:
    case Type::Long:
    case Type::Boolean:
    case Type::Byte:
        write(Name, platform::REG_DWORD, littleEndian(uint32_t(Value.toLong())));
        return;
    case Type::Single:
        write(Name, platform::REG_DWORD, littleEndian(std::bit_cast<uint32_t>(Value.toSingle())));
        return;
    case Type::Double:
        write(Name, platform::REG_BINARY, littleEndian(std::bit_cast<uint64_t>(Value.toDouble())));
        return;
    case Type::Date:
        write(Name, platform::REG_BINARY,
              littleEndian(std::bit_cast<uint64_t>(Value.toDate().days)));
        return;
    case Type::Currency:
        // The scaled 64-bit form, which a read with a Currency default takes back exactly.
        write(Name, platform::REG_BINARY, littleEndian(Value.toCurrency().scaled));
        return;
    case Type::String:
        write(Name, platform::REG_SZ, Value.toString().toUtf8().append('\0'));
        return;
    case Type::ByteArray:
        write(Name, platform::REG_BINARY, Value.toByteArray());
        return;
    default:
        raise(errors::InvalidArgument);
    }
}

int32_t RegKey::GetValueAny(const QString& Name, void* lpBuffer, int32_t Length) {
    const auto value = store().queryValue(m_handle, Name);
    if (!value || value->data.size() > Length || value->data.isEmpty() || !lpBuffer)
        return 0;
    std::memcpy(lpBuffer, value->data.constData(), size_t(value->data.size()));
    return int32_t(value->data.size());
}

void RegKey::SetValueAny(const QString& Name, const void* lpBuffer, int32_t Length) {
    if (Length < 0 || (!lpBuffer && Length > 0))
        raise(errors::PermissionDenied);
    write(Name, platform::REG_BINARY, QByteArrayView(static_cast<const char*>(lpBuffer), Length));
}

bool RegKey::EnumValue(QString& Name, QString& Value) {
    const auto entry = store().enumValue(m_handle, m_valuePosition);
    if (!entry || entry->name.size() > MaxEnumNameLength ||
        entry->value.data.size() > MaxEnumDataSize) {
        m_valuePosition = 0;
        return false;
    }
    ++m_valuePosition;
    Name = upToZero(entry->name);
    Value = QString::fromUtf8(upToZero(entry->value.data));
    return true;
}

std::shared_ptr<IRegister> RegKey::SubKey(const QString& Name) {
    const auto handle = store().createKey(m_handle, Name);
    if (!handle)
        raise(errors::InvalidArgument);
    return std::shared_ptr<RegKey>(new RegKey(m_registry, m_root, *handle, m_path + u'\\' + Name));
}

bool RegKey::EnumSubKey(QString& Name) {
    const auto name = store().enumKey(m_handle, m_subKeyPosition);
    if (!name) {
        m_subKeyPosition = 0;
        return false;
    }
    ++m_subKeyPosition;
    Name = upToZero(*name);
    return true;
}

bool RegKey::DeleteSubKey(const QString& Name) {
    // An empty name opens this key itself, which its subkey deletions must not empty.
    const auto handle = Name.isEmpty() ? std::nullopt : store().openKey(m_handle, Name);
    if (!handle)
        return false;
    RegKey child(m_registry, m_root, *handle, m_path + u'\\' + Name);
    return child.deleteSubKeys() && store().deleteKey(m_handle, Name);
}

bool RegKey::deleteSubKeys() {
    QStringList names;
    QString name;
    while (EnumSubKey(name))
        names.append(name);
    for (const QString& subKey : std::as_const(names))
        if (!DeleteSubKey(subKey))
            return false;
    return true;
}

void RegKey::deleteValue(const QString& Name) {
    if (store().deleteValue(m_handle, Name) == RegistryStore::Deletion::Failed)
        raise(errors::PermissionDenied);
}

void RegKey::write(const QString& Name, uint32_t type, QByteArrayView data) {
    if (!store().setValue(m_handle, Name, type, data))
        raise(errors::PermissionDenied);
}

} // namespace orvenly
