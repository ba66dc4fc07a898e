#include "ShellSort.h"
#include "tamsell/CandidateBox.h"

#include <algorithm>
#include <vector>

namespace tamsell {

namespace {

int32_t signOf(int64_t value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

} // namespace

int32_t CandidateBox::CompareText(const QString& a, const QString& b) const {
    switch (m_compareMode) {
    case CBTCM_BINARY:
        return signOf(QString::compare(a, b));
    case CBTCM_CASE_INSENSITIVE:
        return signOf(QString::compare(a.toLower(), b.toLower()));
    default:
        return 0;
    }
}

bool CandidateBox::sameCharacter(QChar a, QChar b) const {
    switch (m_compareMode) {
    case CBTCM_BINARY:
        return a == b;
    case CBTCM_CASE_INSENSITIVE:
        return a.toLower() == b.toLower();
    default:
        return true;
    }
}

int CandidateBox::score(const QString& caption, const QString& findStr, bool strict) const {
    if (strict)
        return CompareText(caption.left(findStr.size()), findStr) == 0 ? 1 : 0;
    int shared = 0;
    while (shared < findStr.size() && shared < caption.size() &&
           sameCharacter(caption.at(shared), findStr.at(shared)))
        ++shared;
    return shared;
}

bool CandidateBox::SelectString(const QString& FindStr, int32_t Start, bool Strict,
                                bool CancelSelection) {
    const int count = m_items.Count();
    if (!FindStr.isEmpty() && count > 0) {
        if (Start == 0)
            Start = m_selected ? m_selected->Index() : 1;
        std::vector<int> scores(size_t(count), 0);
        int best = 0;
        for (int i = 1; i <= count; ++i) {
            scores[size_t(i - 1)] = score(m_items.Item(i)->Caption(), FindStr, Strict);
            best = std::max(best, scores[size_t(i - 1)]);
        }
        if (best > 0) {
            // From Start to the end, then from the beginning: a Start past either end
            // leaves only the second part, which runs over every item from the first.
            const int first = Start >= 1 && Start <= count ? Start : 1;
            for (int n = 0; n < count; ++n) {
                const int i = (first - 1 + n) % count + 1;
                if (scores[size_t(i - 1)] == best) {
                    m_items.Item(i)->setSelected(true);
                    return true;
                }
            }
        }
    }
    if (CancelSelection && m_selected)
        m_selected->setSelected(false);
    return false;
}

int32_t CandidateBox::GetCompleteString(QString& FindStr) const {
    if (FindStr.isEmpty())
        return 0;
    int32_t found = 0;
    for (int i = 1; i <= m_items.Count(); ++i) {
        if (CompareText(m_items.Item(i)->Caption().left(FindStr.size()), FindStr) != 0)
            continue;
        if (found != 0)
            return 0;
        found = i;
    }
    if (found != 0)
        FindStr = m_items.Item(found)->Caption();
    return found;
}

void CandidateBox::Sort(CandidateBoxSortKeyConstants Key, CandidateBoxSortOrderConstants Order) {
    const int count = m_items.Count();
    if (count < 2)
        return;
    const bool byText = Key == CBSK_CAPTION || Key == CBSK_KEY;
    if (byText && m_compareMode != CBTCM_BINARY && m_compareMode != CBTCM_CASE_INSENSITIVE)
        return; // every text compares equal: nothing moves
    if (!byText && Key != CBSK_ITEMDATA && Key != CBSK_IMAGE && Key != CBSK_CUSTUM)
        return;

    // The text each item is sorted by, folded once rather than at every comparison.
    struct Entry {
        std::shared_ptr<CandidateItem> item;
        QString text;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(count));
    for (const auto& item : m_items) {
        QString text;
        if (byText) {
            text = Key == CBSK_CAPTION ? item->Caption() : item->Key();
            if (m_compareMode == CBTCM_CASE_INSENSITIVE)
                text = text.toLower();
        }
        entries.push_back({item, std::move(text)});
    }
    const int32_t direction = Order == CBSO_DESCENDING ? -1 : 1;
    auto compare = [&](const Entry& a, const Entry& b) -> int32_t {
        switch (Key) {
        case CBSK_CAPTION:
        case CBSK_KEY:
            return signOf(QString::compare(a.text, b.text));
        case CBSK_ITEMDATA:
            // Widened, so that extreme values cannot overflow the difference.
            return signOf(int64_t(a.item->ItemData()) - b.item->ItemData());
        case CBSK_IMAGE:
            return signOf(int64_t(a.item->Image()) - b.item->Image());
        default: {
            int32_t result = 0;
            emit CompareItem(a.item.get(), b.item.get(), result);
            return signOf(result);
        }
        }
    };
    shellSort(entries, [&](const Entry& earlier, const Entry& taken) {
        return compare(earlier, taken) == direction;
    });
    // A comparison handler that added or removed items has made the order meaningless.
    if (m_items.Count() != count)
        return;
    std::vector<std::shared_ptr<CandidateItem>> order;
    order.reserve(entries.size());
    for (Entry& entry : entries)
        order.push_back(std::move(entry.item));
    m_items.reorder(order);
    if (m_selected)
        m_focusIndex = m_selected->Index();
    redrawAll();
    if (m_selected)
        m_selected->EnsureVisible();
}

} // namespace tamsell
