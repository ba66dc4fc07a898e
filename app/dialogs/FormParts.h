#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace penlark {

// The dialogs' controls, named as the forms name them so that tests and hosts find them.
QLabel* labelFor(const QString& caption, QWidget* buddy, QWidget* parent);
QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent);
QCheckBox* namedCheckBox(const QString& name, const QString& caption, QWidget* parent);
QComboBox* namedList(const QString& name, const QStringList& items, QWidget* parent);

} // namespace penlark
