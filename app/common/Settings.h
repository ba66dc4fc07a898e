#pragma once

#include "orvenly/IPersist.h"

#include <QString>
#include <cstdint>

namespace penlark {

// The editor font as the user chose it: a face name and a size in points, fractions allowed.
// The face may not be installed here; the display layer resolves it when it builds a font.
struct FontChoice {
    QString faceName;
    double pointSize = 0.0;

    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The user's preferences, kept in the subkeys "Global" and "Editor" of the program's key.
// Colours are 32-bit: an RGB value, or 0x80000000 + n for the system colour n.
class cSettings : public orvenly::IPersist {
public:
    bool JISFilter = false;
    uint32_t ForeColor = 0;
    uint32_t BackColor = 0;
    bool Startup = false;
    int32_t ShowRecentFiles = 0;
    FontChoice Font;
    bool AutoIndent = false;
    bool AutoTruncate = false;
    bool ResumeCol = false;
    bool Margin = false;
    bool TextDrag = false;
    int32_t TabStep = 0;
    bool AutoMoveDialog = false;
    // What the documents' text boxes show besides the text.
    bool LineNumbers = false;
    bool ShowWideSpace = false;
    bool ShowTab = false;
    bool ShowLineEnd = false;
    bool ShowEOF = false;

    // The settings are never written to an archive.
    bool Serialize(orvenly::IStream& lpsr) override;
    // Reads every member; a value that cannot be read leaves its member unchanged.
    bool Load(orvenly::IRegister& lpreg) override;
    // Writes every member; registry errors reach the caller.
    bool Save(orvenly::IRegister& lpreg) override;
};

} // namespace penlark
