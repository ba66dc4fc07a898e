#pragma once

#include "orvenly/KeyedCollection.h"
#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>

namespace orvenly {

// String operations shared by the program and the library's objects. Stateless; the
// application-wide instance is Strings::instance(). Positions are 1-based.
class Strings {
public:
    static const Strings& instance();

    // Upper-case hexadecimal, cut or zero-padded to Length characters; negative numbers in
    // their 32-bit two's-complement form. A negative Length raises error 5.
    QString FixedHex(int32_t Number, int32_t Length = 8) const;

    // Splits at the last separator and the last dot after it; the three parts joined give
    // FullPath back. An empty separator is never found.
    void DivideFileName(const QString& FullPath, QString& Directory, QString& FileTitle,
                        QString& Extension,
                        const QString& PathSeparater = QStringLiteral("\\")) const;

    // The part of Source from Start up to (not including) the first of the Separators
    // characters found at or after Start.
    QString TrimString(const QString& Source, const QString& Separators, int32_t Start = 1) const;

    // A byte count in units of 1000 with three significant digits, such as "12.3KB"; the
    // decimal separator is always a period.
    QString FormatFileSize(Currency Size) const;

    // Splits a command line with the usual quoting and backslash rules; never yields an
    // empty argument.
    KeyedCollection<QString> ParseCommandLine(const QString& CommandLine) const;
};

} // namespace orvenly
