#pragma once

#include <QComboBox>
#include <QStringList>

namespace tamsell {

// A drop-down list of fixed choices, as both property pages use for enumerations.
inline QComboBox* listOf(const QStringList& items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->addItems(items);
    return list;
}

} // namespace tamsell
