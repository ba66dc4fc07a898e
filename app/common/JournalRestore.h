#pragma once

#include "common/DocumentResult.h"
#include "common/JournalRecords.h"

namespace penlark {

class Document;

// Rebuilds the document a journal kept: its base (the copy of the text, or its file, which
// must be as the edits found it), then the edits in order, then the last format. The
// document is left modified. editsWhole is false when an edit did not fit the text and the
// rest were left out.
DocumentResult restoreDocument(Document& document, const JournalContents& contents,
                               bool& editsWhole);

} // namespace penlark
