#include "gallery/GalleryEntry.h"

namespace gallery {

std::vector<GalleryEntry> galleryEntries() {
    return {
        flatToolbarEntry(),      numericBoxEntry(),    progressBarEntry(),
        colorProgressBarEntry(), propertySheetEntry(), candidateBoxEntry(),
    };
}

} // namespace gallery
