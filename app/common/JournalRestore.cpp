#include "common/JournalRestore.h"

#include "common/Document.h"

namespace penlark {

DocumentResult restoreDocument(Document& document, const JournalContents& contents,
                               bool& editsWhole) {
    const JournalBase& base = contents.base;
    if (base.fromFile) {
        DocumentResult result = document.loadRecovered(base.path, base.format, base.diskState);
        if (!result)
            return result;
    } else {
        document.takeRecovered(base.path, base.format, base.diskState, base.snapshot);
    }
    editsWhole = true;
    for (const JournalEdit& edit : contents.edits) {
        if (!document.applyEdit(edit.position, edit.removed, edit.inserted)) {
            editsWhole = false;
            break;
        }
    }
    document.setForm(contents.state.format.form);
    document.setBreakCode(contents.state.format.breakCode);
    document.storage().SetModify(true);
    return {};
}

} // namespace penlark
