#pragma once

#include "orvenly/KeyedCollection.h"

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

namespace orvenly {

// Flags of the common dialogs, by dialog family: open/save (OFN_), print (PD_), font (CF_) and
// colour (CC_).
enum DialogFlagsConstants : int32_t {
    OFN_READONLY = 0x1,
    OFN_OVERWRITEPROMPT = 0x2,
    OFN_HIDEREADONLY = 0x4,
    OFN_NOCHANGEDIR = 0x8,
    OFN_SHOWHELP = 0x10,
    OFN_NOVALIDATE = 0x100,
    OFN_ALLOWMULTISELECT = 0x200,
    OFN_EXTENSIONDIFFERENT = 0x400,
    OFN_PATHMUSTEXIST = 0x800,
    OFN_FILEMUSTEXIST = 0x1000,
    OFN_CREATEPROMPT = 0x2000,
    OFN_SHAREAWAER = 16384,
    OFN_NOREADONLYRETURN = 0x8000,
    OFN_NONETWORKBUTTON = 0x20000,
    OFN_NOLONGNAMES = 0x40000,
    OFN_EXPLORER = 0x80000,
    OFN_NODEREFERENCELINKS = 0x100000,
    OFN_LONGNAMES = 0x200000,

    PD_ALLPAGES = 0x0,
    PD_SELECTION = 0x1,
    PD_PAGENUMS = 0x2,
    PD_NOSELECTION = 0x4,
    PD_NOPAGENUMS = 0x8,
    PD_COLLATE = 0x10,
    PD_PRINTTOFILE = 0x20,
    PD_PRINTSETUP = 0x40,
    PD_NOWARNING = 0x80,
    PD_RETURNDC = 0x100,
    PD_RETURNIC = 0x200,
    PD_RETURNDEFAULT = 0x400,
    PD_SHOWHELP = 0x800,
    PD_ENABLEPRINTHOOK = 0x1000,
    PD_ENABLESETUPHOOK = 0x2000,
    PD_ENABLEPRINTTEMPLATE = 0x4000,
    PD_ENABLESETUPTEMPLATE = 0x8000,
    PD_ENABLEPRINTTEMPLATEHANDLE = 0x10000,
    PD_ENABLESETUPTEMPLATEHANDLE = 0x20000,
    PD_USEDEVMODECOPIES = 0x40000,
    PD_DISABLEPRINTTOFILE = 0x80000,
    PD_HIDEPRINTTOFILE = 0x100000,
    PD_NONETWORKBUTTON = 0x200000,

    CF_SCREENFONTS = 0x1,
    CF_PRINTERFONTS = 0x2,
    CF_BOTH = 0x3,
    CF_HELPBUTTON = 0x4,
    CF_EFFECTS = 0x100,
    CF_APPLY = 0x200,
    CF_ANSIONLY = 0x400,
    CF_NOVECTORFONTS = 0x800,
    CF_NOSIMULATIONS = 0x1000,
    CF_LIMITSIZE = 0x2000,
    CF_FIXEDPITCHONLY = 0x4000,
    CF_WYSIWYG = -32768,
    CF_FORCEFONTEXIST = 0x10000,
    CF_SCALABLEONLY = 0x20000,
    CF_TTONLY = 0x40000,
    CF_NOFACESEL = 0x80000,
    CF_NOSTYLESEL = 0x100000,
    CF_NOSIZESEL = 0x200000,

    CC_RGBINIT = 0x1,
    CC_FULLOPEN = 0x2,
    CC_PREVENTFULLOPEN = 0x4,
    CC_SHOWHELP = 0x8,
    CC_SOLIDCOLOR = 0x80,
    CC_ANYCOLOR = 0x100,
};

enum PrintDialogTargetConstants : int32_t {
    PDT_ALLPAGES = 0,
    PDT_SELECTION = 1,
    PDT_PAGENUMS = 2,
};

// The common dialogs behind one object: set the properties, call a Show operation, read the
// results back. Between calls the object keeps every property; a successful open or save moves
// InitDir to the chosen file's directory, and the sixteen custom colours live as long as the
// object. Paths use the host's separators; directories come back with a trailing one.
//
// Every Show operation first asks modal::scripted and, when answered, takes the answer in place
// of the dialog, updating the properties exactly as the dialog would:
//   "FileOpen"  request: text = initial directory, title = Title, style = FilterIndex,
//               details = the host filters ("Description (*.a *.b)").
//               answer: files = chosen paths (none = cancel; a name without a directory is
//               taken in the initial directory); value = chosen filter index (1-based), plus
//               ScriptedReadOnly when the read-only box is ticked.
//   "FileSave"  request: text = initial directory joined with the seed name, others as open.
//               answer: files[0] = chosen path (none = cancel); value = chosen filter index.
//   "FilePath"  request: text = seed folder (no trailing separator), title = Title.
//               answer: files[0] = chosen folder (none or empty = cancel).
//   "Font"      request: style = Flags; details = the seed's fontFields below.
//               answer: value non-zero = confirmed; files = fontFields of the chosen font.
//               fontFields: face name, point size ("10.5"), weight, italic, underline,
//               strikethrough (each "0"/"1"), colour (decimal RGB value).
//   "Color"     request: text = initial colour (decimal), style = Flags, details = the 16
//               custom colours (decimal). answer: value non-zero = confirmed; files[0] = chosen
//               colour, files[1..16] (when given) = the custom colours after the dialog.
//   "Printer"   request: style = Flags, details = FromPage, ToPage, Min, Max, Copies (decimal).
//               answer: value non-zero = confirmed; files = returned flags, FromPage, ToPage,
//               Copies (decimal; entries left out keep the request's values).
// Colours are RGB values: red in the low byte, then green, then blue.
class FileDialog {
public:
    // Added to a scripted "FileOpen" answer's value when the read-only box is ticked.
    static constexpr int32_t ScriptedReadOnly = 0x10000;
    static constexpr int CustomColorCount = 16;

    FileDialog() = default;

    void SetTitle(const QString& value) { m_title = value; }
    // Description and pattern pairs, each part ended by U+0000 (patterns separated by ";").
    void SetFilter(const QString& value) { m_filter = value; }
    void SetDefaultExt(const QString& value) { m_defaultExt = value; }
    void SetInitDir(const QString& value) { m_initDir = value; }
    QString InitDir() const { return m_initDir; }
    void SetFilterIndex(int32_t value) { m_filterIndex = value; }
    int32_t SelectFilter() const { return m_selectFilter; }
    bool DifferentExtension() const { return m_differentExtension; }
    // Room for a chosen name (or, with multiple selection, all names) in code page 932 bytes,
    // the terminating zeros included; a choice that does not fit counts as cancel.
    void SetMaxFileSize(int32_t value) { m_maxFileSize = value; }
    bool ReadOnly() const { return m_readOnly; }
    void SethwndOwner(QWidget* value) { m_owner = value; }
    int32_t Flags() const { return m_flags; }
    void SetFlags(int32_t value) { m_flags = value; }

    int32_t Max() const { return m_max; }
    void SetMax(int32_t value) { m_max = value; }
    int32_t Min() const { return m_min; }
    void SetMin(int32_t value) { m_min = value; }
    // No device context exists on this host; stays 0.
    int32_t hDC() const { return m_hDC; }
    int32_t FromPage() const { return m_fromPage; }
    void SetFromPage(int32_t value) { m_fromPage = value; }
    int32_t ToPage() const { return m_toPage; }
    void SetToPage(int32_t value) { m_toPage = value; }
    int32_t Copies() const { return m_copies; }
    void SetCopies(int32_t value) { m_copies = value; }
    PrintDialogTargetConstants TargetPage() const { return m_targetPage; }
    bool Collate() const { return m_collate; }
    bool PrintToFile() const { return m_printToFile; }
    int32_t Color() const { return m_color; }
    void SetColor(int32_t value) { m_color = value; }

    // Error 381 for an Index outside 0..15; the table is then unchanged.
    int32_t CustomColor(int32_t Index) const;
    void SetCustomColor(int32_t Index, int32_t value);

    // One full path per chosen file, in the order chosen; empty on cancel.
    KeyedCollection<QString> ShowOpen();
    // Seeded from FileName (its folder, when it names one, and its name); on success FileName
    // receives the chosen full path. Error 5 when the seed name exceeds MaxFileSize.
    bool ShowSave(QString& FileName);
    // Seeded from Path; Path receives the chosen folder with a trailing separator, or becomes
    // empty on cancel. A typed folder that does not exist is refused with a message.
    bool ShowPath(QString& Path);
    bool ShowPrinter();
    // Seeded from and written back to Font (name, size, bold, italic, underline, strikeout).
    bool ShowFont(QFont& Font);
    bool ShowColor(int32_t& Color);

private:
    QString m_title;
    QString m_filter;
    QString m_defaultExt;
    QString m_initDir;
    int32_t m_filterIndex = 0;
    int32_t m_selectFilter = 0;
    bool m_differentExtension = false;
    int32_t m_maxFileSize = 256;
    bool m_readOnly = false;
    QPointer<QWidget> m_owner;
    int32_t m_flags = 0;
    int32_t m_max = 0;
    int32_t m_min = 0;
    int32_t m_hDC = 0;
    int32_t m_fromPage = 0;
    int32_t m_toPage = 0;
    int32_t m_copies = 0;
    PrintDialogTargetConstants m_targetPage = PDT_ALLPAGES;
    bool m_collate = false;
    bool m_printToFile = false;
    int32_t m_color = 0;
    std::array<int32_t, CustomColorCount> m_customColors{};
};

} // namespace orvenly
