#include "orvenly/Strings.h"

#include "orvenly/AutomationError.h"
#include "orvenly/StringBuffer.h"
#include "orvenly/Trimming.h"

#include <array>

namespace orvenly {

namespace {

constexpr QChar Backslash = u'\\';
constexpr QChar Quote = u'"';

bool isSeparator(QChar ch) {
    return ch == u' ' || ch == u'\t' || ch == u'\v' || ch == u'\r' || ch == u'\n' || ch == u'\f';
}

// One row of the file-size table: sizes of at least 10^thresholdExponent bytes are shown in
// units of 10^unitExponent with a number pattern of integerDigits zeros and decimals places.
struct SizeFormat {
    int thresholdExponent;
    int unitExponent;
    int integerDigits;
    int decimals;
    const char16_t* unit;
};

constexpr std::array<SizeFormat, 11> SizeFormats{{
    {13, 12, 2, 1, u"TB"},
    {12, 12, 1, 2, u"TB"},
    {11, 9, 3, 0, u"GB"},
    {10, 9, 2, 1, u"GB"},
    {9, 9, 1, 2, u"GB"},
    {8, 6, 3, 0, u"MB"},
    {7, 6, 2, 1, u"MB"},
    {6, 6, 1, 2, u"MB"},
    {5, 3, 3, 0, u"KB"},
    {4, 3, 2, 1, u"KB"},
    {3, 3, 1, 2, u"KB"},
}};
constexpr SizeFormat ByteFormat{0, 0, 1, 0, u" バイト"};

// Currency holds ten-thousandths.
constexpr int CurrencyDecimals = 4;

constexpr int64_t powerOfTen(int exponent) {
    int64_t result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

// Rounds the fixed-point value in decimal (half away from zero) so that sizes such as 1005
// bytes give 1.01KB, which binary floating point would round down.
QString formatSize(int64_t scaled, const SizeFormat& format) {
    const auto divisor =
        uint64_t(powerOfTen(CurrencyDecimals + format.unitExponent - format.decimals));
    const uint64_t magnitude = scaled < 0 ? 0 - uint64_t(scaled) : uint64_t(scaled);
    const uint64_t rounded = (magnitude + divisor / 2) / divisor;
    const auto decimalScale = uint64_t(powerOfTen(format.decimals));

    QString text;
    if (scaled < 0 && rounded != 0)
        text += u'-';
    text += QString::number(rounded / decimalScale).rightJustified(format.integerDigits, u'0');
    if (format.decimals > 0)
        text +=
            u'.' + QString::number(rounded % decimalScale).rightJustified(format.decimals, u'0');
    return text + QString::fromUtf16(format.unit);
}

} // namespace

const Strings& Strings::instance() {
    static const Strings strings;
    return strings;
}

QString Strings::FixedHex(int32_t Number, int32_t Length) const {
    if (Length < 0)
        throw AutomationError(errors::InvalidArgument);
    const QString hex = QString::number(uint32_t(Number), 16).toUpper();
    return hex.right(Length).rightJustified(Length, u'0');
}

void Strings::DivideFileName(const QString& FullPath, QString& Directory, QString& FileTitle,
                             QString& Extension, const QString& PathSeparater) const {
    const qsizetype separator = PathSeparater.isEmpty() ? -1 : FullPath.lastIndexOf(PathSeparater);
    QString rest;
    if (separator >= 0) {
        // The whole separator stays with the folder, however long it is.
        const qsizetype directoryLength = separator + PathSeparater.size();
        Directory = FullPath.left(directoryLength);
        rest = FullPath.mid(directoryLength);
    } else {
        Directory.clear();
        rest = FullPath;
    }
    const qsizetype dot = rest.lastIndexOf(u'.');
    if (dot >= 0) {
        FileTitle = rest.left(dot);
        Extension = rest.mid(dot);
    } else {
        FileTitle = rest;
        Extension.clear();
    }
}

QString Strings::TrimString(const QString& Source, const QString& Separators, int32_t Start) const {
    const qsizetype start = Start < 1 ? 0 : qsizetype(Start) - 1;
    if (start >= Source.size())
        return {};
    qsizetype limit = Source.size();
    for (const QChar separator : Separators) {
        const qsizetype found = Source.indexOf(separator, start);
        if (found >= 0 && found < limit)
            limit = found;
    }
    return Source.mid(start, limit - start);
}

QString Strings::FormatFileSize(Currency Size) const {
    for (const SizeFormat& format : SizeFormats)
        if (Size.scaled >= powerOfTen(format.thresholdExponent + CurrencyDecimals))
            return formatSize(Size.scaled, format);
    return formatSize(Size.scaled, ByteFormat);
}

KeyedCollection<QString> Strings::ParseCommandLine(const QString& CommandLine) const {
    const QString s = TrimSpaces(CommandLine);
    KeyedCollection<QString> arguments;
    StringBuffer buffer;
    qsizetype segmentStart = 0;
    qsizetype pos = 0;
    bool inQuotes = false;

    const auto appendSegment = [&] { buffer.Concat(s.mid(segmentStart, pos - segmentStart)); };
    const auto finishArgument = [&] {
        if (buffer.Length() != 0)
            arguments.Add(buffer.Value());
        buffer.Allocate(StringBuffer::DefaultGrowStep);
    };

    while (pos < s.size()) {
        const QChar ch = s[pos];
        if (ch == Backslash) {
            qsizetype run = 0;
            while (pos + run < s.size() && s[pos + run] == Backslash)
                ++run;
            appendSegment();
            if (pos + run < s.size() && s[pos + run] == Quote) {
                // Backslashes before a quote come in pairs; an odd one makes the quote literal.
                buffer.Concat(QString(run / 2, Backslash));
                if (run % 2 != 0)
                    buffer.Concat(Quote);
                else
                    inQuotes = !inQuotes;
                pos += run + 1;
            } else {
                buffer.Concat(QString(run, Backslash));
                pos += run;
            }
            segmentStart = pos;
        } else if (ch == Quote) {
            appendSegment();
            segmentStart = ++pos;
            inQuotes = !inQuotes;
        } else if (isSeparator(ch) && !inQuotes) {
            appendSegment();
            finishArgument();
            segmentStart = ++pos;
        } else {
            ++pos;
        }
    }
    appendSegment();
    finishArgument();
    return arguments;
}

} // namespace orvenly
