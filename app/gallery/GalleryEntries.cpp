#include "gallery/GalleryEntry.h"

namespace gallery {

std::vector<GalleryEntry> galleryEntries() {
    return {
        flatToolbarEntry(),
        propertySheetEntry(),
        candidateBoxEntry(),
    };
}

} // namespace gallery
