#include "orvenly/MRU.h"

#include "orvenly/AutomationError.h"
#include "orvenly/IRegister.h"
#include "orvenly/IStream.h"
#include "orvenly/PropertyBag.h"
#include "orvenly/Variant.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace orvenly {

namespace {

const QString Source = QStringLiteral("OrvenlyCls.MRU");
const QString CountName = QStringLiteral("Count");
// What a missing registry value or property reads as; it is loaded like any other entry.
const QString MissingValue = QStringLiteral("-- error --");
const QString MissingProperty = QStringLiteral("\tError");

QString keyOf(const QString& entry) {
    return entry + u'@';
}

// A menu caption takes "&" for the accelerator mark, but the path has to appear as it is.
QString captionOf(QString entry) {
    return entry.replace(u'&', QStringLiteral("&&"));
}

QString propertyName(int32_t position) {
    return QStringLiteral("Item") + QString::number(position);
}

bool plausibleCount(int32_t count) {
    return count >= 0 && count <= MRU::Capacity;
}

// A stored count nobody could have saved: reading on would run for ages or exhaust memory.
void requirePlausible(int32_t count) {
    if (!plausibleCount(count))
        throw AutomationError(errors::InvalidFileFormat,
                              QStringLiteral("Invalid count of recent files: %1").arg(count),
                              Source);
}

void clearMenu(MenuItemFamily& menu) {
    menu.SetVisible(0, true);
    for (const int index : menu.Indexes())
        if (index != 0)
            menu.Unload(index);
}

} // namespace

MRU::MRU(QObject* parent) : QObject(parent) {}

QString MRU::Item(int32_t Index) const {
    return shown(Index);
}

const QString& MRU::shown(int32_t Index) const {
    if (Index > Count() || Index > m_showItems)
        throw AutomationError(errors::InvalidArgument, {}, Source);
    return m_items.Item(Index);
}

void MRU::SetMax(int32_t value) {
    if (value < 0 || value > Capacity)
        throw AutomationError(errors::InvalidPropertyValue, {}, Source);
    m_max = value;
    if (value < Count()) {
        trim();
        changed();
    }
}

void MRU::SetShowItems(int32_t value) {
    if (value < 0)
        throw AutomationError(errors::InvalidPropertyValue, {}, Source);
    m_showItems = value;
    changed();
}

bool MRU::Exists(int32_t Index, QString* Value) const {
    const QString& entry = shown(Index);
    if (Value)
        *Value = entry;
    // QFileInfo neither expands wildcards nor minds hidden files; isFile rules out directories.
    return QFileInfo(entry).isFile();
}

void MRU::Add(const QString& Value) {
    if (push(Value))
        changed();
}

bool MRU::push(const QString& Value) {
    const QString key = keyOf(Value);
    if (Count() == 0) {
        m_items.Add(Value, key);
    } else {
        // The exact spelling on top is a no-op; another spelling of it replaces it.
        if (m_items.Item(1) == Value)
            return false;
        if (const int old = m_items.IndexOf(key))
            m_items.Remove(old);
        m_items.Add(Value, key, 1);
    }
    trim();
    return true;
}

void MRU::Remove(int32_t Index) {
    m_items.Remove(Index);
    changed();
}

void MRU::Clear() {
    m_items.Clear();
    changed();
}

void MRU::Load(std::shared_ptr<MenuItemFamily> Target) {
    if (m_target)
        clearMenu(*m_target);
    m_target = std::move(Target);
    rebuildMenu();
}

void MRU::LoadMRU(const PropertyBag& Archive) {
    m_items.Clear();
    int32_t count = 0;
    try {
        count = Archive.ReadProperty(CountName, Variant(int32_t(0))).toLong();
    } catch (const AutomationError&) {
    }
    if (!plausibleCount(count))
        count = 0;
    for (int32_t i = count; i >= 1; --i) {
        try {
            push(Archive.ReadProperty(propertyName(i), MissingProperty).toString());
        } catch (const AutomationError&) {
        }
    }
    try {
        rebuildMenu();
    } catch (const AutomationError&) {
    }
    emit Change();
}

void MRU::SaveMRU(PropertyBag& Archive) const {
    Archive.WriteProperty(CountName, Count(), Variant(int32_t(0)));
    int32_t position = 0;
    for (const QString& entry : m_items)
        Archive.WriteProperty(propertyName(++position), entry, MissingProperty);
}

bool MRU::Serialize(IStream& lpsr) {
    if (lpsr.IsStoring()) {
        lpsr.WriteLong(Count());
        for (const QString& entry : m_items)
            lpsr.WriteString(entry);
        return true;
    }
    if (!lpsr.IsLoading())
        return false;

    m_items.Clear();
    bool loaded = true;
    try {
        const int32_t count = lpsr.ReadLong();
        requirePlausible(count);
        // Read one by one: a count larger than the data fails at its end, not in an allocation.
        QStringList newestFirst;
        for (int32_t i = 0; i < count; ++i)
            newestFirst.append(lpsr.ReadString());
        for (auto entry = newestFirst.crbegin(); entry != newestFirst.crend(); ++entry)
            push(*entry);
    } catch (const AutomationError&) {
        loaded = false;
    }
    changed();
    return loaded;
}

bool MRU::Load(IRegister& lpreg) {
    m_items.Clear();
    bool loaded = true;
    try {
        const int32_t count = lpreg.GetValue(CountName, Variant(int32_t(0))).toLong();
        requirePlausible(count);
        for (int32_t i = count; i >= 1; --i)
            push(lpreg.GetValue(QString::number(i), MissingValue).toString());
    } catch (const AutomationError&) {
        loaded = false;
    }
    changed();
    return loaded;
}

bool MRU::Save(IRegister& lpreg) {
    // Values numbered above the count stay in the key; loading never reads them.
    lpreg.SetValue(CountName, Count(), Variant(int32_t(0)));
    int32_t position = 0;
    for (const QString& entry : m_items)
        lpreg.SetValue(QString::number(++position), entry, MissingValue);
    return true;
}

void MRU::trim() {
    while (Count() > m_max)
        m_items.Remove(Count());
}

// Entry i is element 2i; a separator (element 2i + 1) follows every fifth shown entry but the
// last; the placeholder (element 0) is visible only when nothing is shown.
void MRU::rebuildMenu() {
    if (!m_target)
        return;
    MenuItemFamily& menu = *m_target;
    clearMenu(menu);
    const int32_t shownCount = std::min(m_showItems, Count());
    if (shownCount <= 0)
        return;
    for (int32_t i = 1; i <= shownCount; ++i) {
        const int element = 2 * i;
        menu.Load(element);
        menu.SetCaption(element, captionOf(m_items.Item(i)));
        menu.SetEnabled(element, true);
        menu.SetVisible(element, true);
        if (i % 5 == 0 && i != shownCount) {
            menu.Load(element + 1);
            menu.SetEnabled(element + 1, true);
            menu.SetCaption(element + 1, QStringLiteral("-"));
            menu.SetVisible(element + 1, true);
        }
    }
    menu.SetVisible(0, false);
}

void MRU::changed() {
    rebuildMenu();
    emit Change();
}

} // namespace orvenly
