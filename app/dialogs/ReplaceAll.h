#pragma once

#include "dialogs/SearchRun.h"

#include <QString>
#include <cstdint>

namespace penlark {

// The outcome of replacing every match of a run: the changed stretch of the document and
// the selection the editor ends with, all in the document's 0-based positions.
struct ReplaceAllResult {
    int32_t changeStart = 0;
    // Length of the stretch replaced in the text before the run, and its new text.
    int32_t changeLength = 0;
    QString changeText;
    bool changed = false;
    int32_t selStart = 0;
    int32_t selLength = 0;
};

// Runs the replace-all loop on the run's own copy of the text: the first step replaces the
// editor's selection when it is a match, every further step the match the loop selected.
// Only the run's copy changes; the caller writes the result into the editor in one edit.
ReplaceAllResult ReplaceAll(SearchRun& run, int32_t selStart, int32_t selLength,
                            const QString& selText, const WrapQuestion& ask);

} // namespace penlark
