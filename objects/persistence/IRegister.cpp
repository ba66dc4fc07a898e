#include "orvenly/IRegister.h"

namespace orvenly {

Variant IRegister::GetValue(const QString&, const std::optional<Variant>&) {
    return {};
}

void IRegister::SetValue(const QString&, const Variant&, const std::optional<Variant>&) {}

int32_t IRegister::GetValueAny(const QString&, void*, int32_t) {
    return 0;
}

void IRegister::SetValueAny(const QString&, const void*, int32_t) {}

bool IRegister::EnumValue(QString&, QString&) {
    return false;
}

std::shared_ptr<IRegister> IRegister::SubKey(const QString&) {
    return nullptr;
}

bool IRegister::EnumSubKey(QString&) {
    return false;
}

bool IRegister::DeleteSubKey(const QString&) {
    return false;
}

} // namespace orvenly
