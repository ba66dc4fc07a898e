#pragma once

#include <QIcon>

namespace penlark {

// The program's icon in every size it ships with.
QIcon ProgramIcon();

} // namespace penlark
