#include "orvenly/FileDialog.h"
#include "orvenly/AutomationError.h"

namespace orvenly {
namespace {

void checkColorIndex(int32_t index) {
    if (index < 0 || index >= FileDialog::CustomColorCount)
        throw AutomationError(errors::InvalidPropertyArrayIndex,
                              QStringLiteral("プロパティ配列のインデックスが不正です。"),
                              QStringLiteral("FileDialog"));
}

} // namespace

int32_t FileDialog::CustomColor(int32_t Index) const {
    checkColorIndex(Index);
    return m_customColors[size_t(Index)];
}

void FileDialog::SetCustomColor(int32_t Index, int32_t value) {
    checkColorIndex(Index);
    m_customColors[size_t(Index)] = value;
}

} // namespace orvenly
