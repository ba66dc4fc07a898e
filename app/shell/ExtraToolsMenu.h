#pragma once

#include <QString>
#include <functional>

namespace orvenly {
class IRegister;
class MenuItemFamily;
} // namespace orvenly

namespace penlark {

// Fills the Tools menu's family of extra-tool items with the maker's other programs (see
// ExtraTools): element 0, a separator hidden while the family is empty, is shown when there is
// at least one program, and element i (from 1) gets the i-th program's caption. tagOf
// receives each loaded index with the path of its program, which choosing that item starts.
// Returns the number of entries made. Errors of the menu are raised; a stale value that cannot
// be deleted is kept.
int LoadExtraTools(orvenly::IRegister& makerKey, orvenly::MenuItemFamily& menu,
                   const std::function<void(int index, const QString& path)>& tagOf);

} // namespace penlark
