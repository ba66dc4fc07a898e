#include "SheetLayout.h"

#include "ShellSort.h"
#include "tamsell/SheetCategories.h"

#include <QFontMetrics>
#include <algorithm>

namespace tamsell {

void sortByCaption(std::vector<std::shared_ptr<SheetItem>>& items) {
    shellSort(items, [](const std::shared_ptr<SheetItem>& earlier,
                        const std::shared_ptr<SheetItem>& taken) {
        return QString::compare(earlier->Caption(), taken->Caption(), Qt::CaseInsensitive) > 0;
    });
}

void SheetLayout::setFont(const QFont& font) {
    m_font = font;
    m_bold = font;
    m_bold.setBold(true);
    m_textHeight = QFontMetrics(font).height();
}

int SheetLayout::valueLeft() const {
    if (m_style == PSS_CATEGORY)
        return glyphWidth() + captionWidth() + 2;
    return m_widest + 5;
}

void SheetLayout::rebuild(const SheetCategories& categories, PropertySheetStyleConstants style) {
    m_style = style;
    m_rows.clear();
    const QFontMetrics metrics(m_font);
    m_widest = 0;
    auto measure = [&](const SheetItem& item) {
        m_widest = std::max(m_widest, metrics.horizontalAdvance(item.Caption()));
    };
    if (style == PSS_LIST) {
        std::vector<std::shared_ptr<SheetItem>> all;
        for (const auto& category : categories)
            for (const auto& item : category->Items())
                all.push_back(item);
        sortByCaption(all);
        m_rows.reserve(all.size());
        for (const auto& item : all) {
            if (!item->Visible())
                continue;
            measure(*item);
            m_rows.push_back({item->Category(), item});
        }
        return;
    }
    for (const auto& category : categories) {
        if (!category->Visible())
            continue;
        m_rows.push_back({category, nullptr});
        for (const auto& item : category->Items()) {
            if (!item->Visible())
                continue;
            // Collapsed items count too, so that the columns stay put as categories open.
            measure(*item);
            if (category->Expanded())
                m_rows.push_back({category, item});
        }
    }
}

int SheetLayout::rowOf(const SheetCategory* category, const SheetItem* item) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].item.get() == item && (item || m_rows[i].category.get() == category))
            return int(i) + 1;
    return 0;
}

} // namespace tamsell
