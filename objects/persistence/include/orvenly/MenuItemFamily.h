#pragma once

#include <QString>
#include <vector>

namespace orvenly {

// An indexed family of menu items, such as the recent-file entries of a menu. Element 0
// always exists and cannot be unloaded; the other elements are loaded and unloaded by index.
// A Caption of "-" makes the element a separator; elsewhere "&" marks the accelerator, as in
// any menu caption. Asking for an element that is not loaded raises error 5.
class MenuItemFamily {
public:
    virtual ~MenuItemFamily() = default;

    // Indexes of the loaded elements in ascending order, 0 included.
    virtual std::vector<int> Indexes() const = 0;
    // Creates element Index; error 5 if it is loaded already or Index is not positive.
    virtual void Load(int Index) = 0;
    // Destroys element Index; error 5 for element 0 or an element that is not loaded.
    virtual void Unload(int Index) = 0;

    virtual void SetCaption(int Index, const QString& Caption) = 0;
    virtual void SetEnabled(int Index, bool Enabled) = 0;
    virtual void SetVisible(int Index, bool Visible) = 0;
};

} // namespace orvenly
