#pragma once

#include "dialogs/GapText.h"

#include <QString>
#include <QStringView>
#include <functional>

namespace orvenly {
class PieceTree;
}

namespace penlark {

// The text a search run reads: the searched area and everything after it, read a stretch at
// a time so that a run over a large document never copies the whole of it.
class SearchText {
public:
    virtual ~SearchText() = default;
    virtual qsizetype size() const = 0;
    virtual QString mid(qsizetype at, qsizetype length) = 0;
    // The run's own replacement: a copy takes it in; a document's text has it already,
    // written by the editor.
    virtual void replace(qsizetype at, qsizetype length, QStringView piece) = 0;
};

// A text of the run's own, which only the run changes.
class CopiedText : public SearchText {
public:
    explicit CopiedText(QString text) : m_text(std::move(text)) {}
    qsizetype size() const override { return m_text.size(); }
    QString mid(qsizetype at, qsizetype length) override;
    void replace(qsizetype at, qsizetype length, QStringView piece) override {
        m_text.replace(at, length, piece);
    }

private:
    GapText m_text;
};

// A document's text from the searched area's start, read from its storage as the run goes;
// the run's replacements reach it through the editor.
class DocumentText : public SearchText {
public:
    DocumentText(const orvenly::PieceTree& tree, qsizetype offset)
        : m_tree(tree), m_offset(offset) {}

    qsizetype size() const override;
    QString mid(qsizetype at, qsizetype length) override;
    void replace(qsizetype, qsizetype, QStringView) override {}

private:
    const orvenly::PieceTree& m_tree;
    qsizetype m_offset;
};

// The comparison key of a stretch of a SearchText around where the run reads, made when the
// run reads beyond it. The key of each character is the one it has in the key of the whole
// text: a stretch is keyed with one character of the text on either side.
class KeyWindow {
public:
    using KeyOf = std::function<QString(QString)>;
    // span: how much is keyed at a time.
    KeyWindow(SearchText& text, KeyOf keyOf, qsizetype span);

    void setText(SearchText& text);
    void setSpan(qsizetype span) { m_span = span; }
    qsizetype span() const { return m_span; }

    // The key from at on: at most maximum characters, and at least minimum where the text
    // has them. A view lasts until the next call.
    QStringView after(qsizetype at, qsizetype minimum, qsizetype maximum);
    // The key before at, likewise.
    QStringView before(qsizetype at, qsizetype minimum, qsizetype maximum);
    QChar at(qsizetype position) { return after(position, 1, 1).front(); }

    // The text's length characters at at have become pieceLength characters; composes tells
    // that a character's key depends on the ones beside it (width folding).
    void replaced(qsizetype at, qsizetype length, qsizetype pieceLength, bool composes);

private:
    qsizetype end() const { return m_start + m_key.size(); }
    void load(qsizetype from, qsizetype to);

    SearchText* m_text;
    KeyOf m_keyOf;
    qsizetype m_span;
    GapText m_key;
    qsizetype m_start = 0;
    bool m_loaded = false;
};

} // namespace penlark
