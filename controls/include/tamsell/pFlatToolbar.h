#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;

namespace tamsell {

class FlatToolbar;
class NumberEdit;

// The property page for a toolbar's own settings: style, border, sizes and colour options.
class pFlatToolbar : public QWidget {
    Q_OBJECT

public:
    explicit pFlatToolbar(QWidget* parent = nullptr);

    // Fills the fields from the first control of the selection.
    void SelectionChanged(const QList<FlatToolbar*>& SelectedControls);
    // Writes the fields back to that control; an invalid value raises its error.
    void ApplyChanges();

private:
    QPointer<FlatToolbar> m_target;
    QComboBox* m_style;
    QComboBox* m_borderStyle;
    NumberEdit* m_buttonHeight;
    NumberEdit* m_buttonWidth;
    NumberEdit* m_imageHeight;
    NumberEdit* m_imageWidth;
    NumberEdit* m_captionLines;
    QCheckBox* m_map3DColors;
    QCheckBox* m_enabled;
    QCheckBox* m_useMaskColor;
    QCheckBox* m_movable;
};

} // namespace tamsell
