#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// Conversions between the dialog object's own forms and the host dialogs'.
namespace orvenly::filedialog {

// Host name filters ("Description (*.a *.b)") from description and pattern pairs, each part
// ended by U+0000 and patterns separated by ";". A description without a pattern is dropped.
QStringList hostFilters(const QString& filter);
// The 1-based position of chosen among filters; 0 when it is not there.
int32_t filterIndexOf(const QStringList& filters, const QString& chosen);

// The directory with one trailing separator (host form); empty stays empty.
QString withTrailingSeparator(const QString& directory);
// The folder part of path, trailing separator included; empty when path names no folder.
QString folderOf(const QString& path);
// The length of text in code page 932 bytes, as the dialogs' name buffers count it.
qsizetype bufferLength(const QString& text);

struct OpenChoice {
    QString directory; // with trailing separator
    QStringList paths;
};
// The chosen files as full paths (bare names taken in startDirectory) with their directory;
// nothing when there is no file or the names do not fit a buffer of maxFileSize bytes laid
// out as one path, or as directory and names, each ended by a zero (and a final zero).
std::optional<OpenChoice> openChoice(const QStringList& chosen, const QString& startDirectory,
                                     int32_t maxFileSize);

struct SaveSeed {
    QString directory; // with trailing separator, or empty
    QString name;
};
SaveSeed splitSeed(const QString& fileName);

// Point size and cell height in pixels; the height rounds to the nearest, halves to even.
int32_t fontHeight(double size, double dotsPerInch);
double fontSize(int32_t height, double dotsPerInch);
// The face name as the 32-byte field of a font record holds it: at most 31 bytes of code page
// 932, cut before a character that does not fit whole.
QString faceName(const QString& name);

// RGB values (red in the low byte) and host colours; a system colour (high bit set) takes the
// application palette's matching role.
QColor colorOf(int32_t rgb);
int32_t rgbOf(const QColor& color);

} // namespace orvenly::filedialog
