#include "Outline.h"

namespace penlark::tdb {

namespace {

QString shown(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'\r':
            result += u"\\r";
            break;
        case u'\n':
            result += u"\\n";
            break;
        case u'\t':
            result += u"\\t";
            break;
        default:
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
                result += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QChar(u'0'));
            else
                result += ch;
        }
    }
    return result;
}

void appendNodes(QString& text, const orvenly::TDBNodes& nodes, const QString& indent) {
    const QString inner = indent + QStringLiteral("  ");
    for (const std::shared_ptr<orvenly::TDBNode>& node : nodes) {
        text += indent + u'[' + shown(node->Name()) + QStringLiteral("]\n");
        for (const std::shared_ptr<orvenly::TDBKey>& key : *node->Keys())
            text +=
                inner + shown(key->Name()) + QStringLiteral(" = ") + shown(key->Value()) + u'\n';
        appendNodes(text, *node->SubNodes(), inner);
    }
}

} // namespace

QString outline(const orvenly::TDBNodes& roots) {
    QString text;
    appendNodes(text, roots, QString());
    return text;
}

} // namespace penlark::tdb
