#include "orvenly/PropertyBag.h"

#include "orvenly/AutomationError.h"
#include "orvenly/IStream.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.PropertyBag");

// Byte arrays are read in pieces so that a corrupt length fails at the end of the stream
// instead of allocating its full size first.
constexpr int32_t ReadChunk = 65536;

[[noreturn]] void badStream(const QString& what) {
    throw AutomationError(errors::InvalidFileFormat,
                          QStringLiteral("Invalid property data in the stream: %1").arg(what),
                          Source);
}

void writeInt64(IStream& stream, int64_t value) {
    stream.WriteLong(int32_t(uint32_t(uint64_t(value))));
    stream.WriteLong(int32_t(uint32_t(uint64_t(value) >> 32)));
}

int64_t readInt64(IStream& stream) {
    const auto low = uint64_t(uint32_t(stream.ReadLong()));
    const auto high = uint64_t(uint32_t(stream.ReadLong()));
    return int64_t(low | (high << 32));
}

void writeValue(IStream& stream, const Variant& value) {
    switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
        break;
    case Variant::Type::Integer:
        stream.WriteLong(value.toInteger());
        break;
    case Variant::Type::Long:
        stream.WriteLong(value.toLong());
        break;
    case Variant::Type::Single:
        stream.WriteLong(std::bit_cast<int32_t>(value.toSingle()));
        break;
    case Variant::Type::Double:
        writeInt64(stream, std::bit_cast<int64_t>(value.toDouble()));
        break;
    case Variant::Type::Currency:
        writeInt64(stream, value.toCurrency().scaled);
        break;
    case Variant::Type::Date:
        writeInt64(stream, std::bit_cast<int64_t>(value.toDate().days));
        break;
    case Variant::Type::String:
        stream.WriteString(value.toString());
        break;
    case Variant::Type::Boolean:
        stream.WriteLong(value.toBoolean() ? -1 : 0);
        break;
    case Variant::Type::Byte:
        stream.WriteLong(value.toByte());
        break;
    case Variant::Type::ByteArray: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.size() > std::numeric_limits<int32_t>::max())
            throw AutomationError(errors::Overflow, {}, Source);
        stream.WriteLong(int32_t(bytes.size()));
        stream.WriteAny(bytes.constData(), int32_t(bytes.size()));
        break;
    }
    case Variant::Type::Object:
        throw AutomationError(errors::TypeMismatch, {}, Source);
    }
}

int32_t readInRange(IStream& stream, int32_t low, int32_t high, const QString& what) {
    const int32_t value = stream.ReadLong();
    if (value < low || value > high)
        badStream(what);
    return value;
}

QByteArray readBytes(IStream& stream) {
    const int32_t length = stream.ReadLong();
    if (length < 0)
        badStream(QStringLiteral("byte array length %1").arg(length));
    QByteArray bytes;
    while (bytes.size() < length) {
        const auto piece = int32_t(std::min<qsizetype>(ReadChunk, length - bytes.size()));
        const qsizetype at = bytes.size();
        bytes.resize(at + piece);
        stream.ReadAny(bytes.data() + at, piece);
    }
    return bytes;
}

Variant readValue(IStream& stream, int32_t type) {
    switch (Variant::Type(type)) {
    case Variant::Type::Empty:
        return {};
    case Variant::Type::Null:
        return Null{};
    case Variant::Type::Integer:
        return int16_t(readInRange(stream, INT16_MIN, INT16_MAX, QStringLiteral("Integer")));
    case Variant::Type::Long:
        return stream.ReadLong();
    case Variant::Type::Single:
        return std::bit_cast<float>(stream.ReadLong());
    case Variant::Type::Double:
        return std::bit_cast<double>(readInt64(stream));
    case Variant::Type::Currency:
        return Currency{readInt64(stream)};
    case Variant::Type::Date:
        return Date{std::bit_cast<double>(readInt64(stream))};
    case Variant::Type::String:
        return stream.ReadString();
    case Variant::Type::Boolean:
        return readInRange(stream, -1, 0, QStringLiteral("Boolean")) != 0;
    case Variant::Type::Byte:
        return uint8_t(readInRange(stream, 0, UINT8_MAX, QStringLiteral("Byte")));
    case Variant::Type::ByteArray:
        return readBytes(stream);
    default:
        badStream(QStringLiteral("type %1").arg(type));
    }
}

} // namespace

Variant PropertyBag::ReadProperty(const QString& Name,
                                  const std::optional<Variant>& DefaultValue) const {
    if (const Entry* entry = find(Name))
        return entry->value;
    return DefaultValue.value_or(Variant());
}

void PropertyBag::WriteProperty(const QString& Name, const Variant& Value,
                                const std::optional<Variant>& DefaultValue) {
    if (Name.isEmpty())
        throw AutomationError(errors::InvalidArgument, {}, Source);
    if (DefaultValue && Value.sameTypeAndValue(*DefaultValue)) {
        const QString folded = Name.toCaseFolded();
        std::erase_if(m_entries, [&](const Entry& entry) { return entry.folded == folded; });
        return;
    }
    // Neither form can hold an object; refuse it now rather than when the bag is saved.
    if (Value.type() == Variant::Type::Object)
        throw AutomationError(errors::TypeMismatch, {}, Source);
    store(Name, Value);
}

bool PropertyBag::Contains(const QString& Name) const {
    return find(Name) != nullptr;
}

QStringList PropertyBag::Names() const {
    QStringList names;
    for (const Entry& entry : m_entries)
        names.append(entry.name);
    return names;
}

bool PropertyBag::Serialize(IStream& lpsr) {
    if (lpsr.IsStoring()) {
        write(lpsr);
        return true;
    }
    if (lpsr.IsLoading()) {
        *this = read(lpsr);
        return true;
    }
    return false;
}

const PropertyBag::Entry* PropertyBag::find(const QString& Name) const {
    const QString folded = Name.toCaseFolded();
    const auto it = std::ranges::find(m_entries, folded, &Entry::folded);
    return it == m_entries.end() ? nullptr : &*it;
}

void PropertyBag::store(const QString& Name, const Variant& Value) {
    const QString folded = Name.toCaseFolded();
    const auto it = std::ranges::find(m_entries, folded, &Entry::folded);
    if (it != m_entries.end())
        it->value = Value;
    else
        m_entries.push_back({Name, folded, Value});
}

void PropertyBag::write(IStream& stream) const {
    stream.WriteLong(Count());
    for (const Entry& entry : m_entries) {
        stream.WriteString(entry.name);
        stream.WriteLong(int32_t(entry.value.type()));
        writeValue(stream, entry.value);
    }
}

PropertyBag PropertyBag::read(IStream& stream) {
    const int32_t count = stream.ReadLong();
    if (count < 0)
        badStream(QStringLiteral("count %1").arg(count));
    PropertyBag bag;
    for (int32_t i = 0; i < count; ++i) {
        const QString name = stream.ReadString();
        if (name.isEmpty())
            badStream(QStringLiteral("empty name"));
        const Variant value = readValue(stream, stream.ReadLong());
        bag.store(name, value);
    }
    return bag;
}

} // namespace orvenly
