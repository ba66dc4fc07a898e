#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace tamsell {

// Shell sort with the gaps 1, 4, 13, 40, ... (each three times the one before, plus one),
// starting from the largest gap below the element count and dividing by three after each pass.
// The element taken out at each position moves up past the earlier elements for which
// shifts(earlier, taken) holds. Equal elements a gap apart can change places; stored orders
// depend on exactly this sequence, so it is kept as it is.
template <class T, class Shifts> void shellSort(std::vector<T>& elements, Shifts shifts) {
    const size_t count = elements.size();
    if (count < 2)
        return;
    size_t gap = 1;
    while (gap * 3 + 1 < count)
        gap = gap * 3 + 1;
    for (; gap > 0; gap /= 3) {
        for (size_t i = gap; i < count; ++i) {
            T taken = std::move(elements[i]);
            size_t j = i;
            while (j >= gap && shifts(elements[j - gap], taken)) {
                elements[j] = std::move(elements[j - gap]);
                j -= gap;
            }
            elements[j] = std::move(taken);
        }
    }
}

} // namespace tamsell
