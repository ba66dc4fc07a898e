#pragma once

#include "orvenly/TDB.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvenly {

struct TreeFileText {
    QString text;
    TDBCharset charset = TDBCharset::Ansi;
};

// Code page 932, or UTF-8 after its byte-order mark.
TreeFileText decodeTreeFile(QByteArrayView bytes);

// Tabs become spaces; lines end at CR LF, or at LF in a file that holds no CR LF at all.
QStringList treeLines(QString text);

// None when the charset cannot hold the text.
std::optional<QByteArray> encodeTreeText(const QString& text, TDBCharset charset);

} // namespace orvenly
