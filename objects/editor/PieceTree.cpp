#include "orvenly/PieceTree.h"

#include <algorithm>

namespace orvenly {

namespace {

constexpr uint8_t Original = 0;
constexpr uint8_t Added = 1;

// Writes `from` at `out` with every CR LF and lone CR as LF, noting where the breaks land
// (counted from `base`); returns the end of what was written. `out` may be `from` itself.
QChar* storeWithLf(QStringView from, QChar* out, qsizetype base, std::vector<qsizetype>& breaks) {
    QChar* const begin = out;
    const QChar* in = from.data();
    const QChar* const end = in + from.size();
    for (; in != end; ++in) {
        if (*in == u'\r') {
            if (in + 1 != end && in[1] == u'\n')
                ++in;
        } else if (*in != u'\n') {
            *out++ = *in;
            continue;
        }
        breaks.push_back(base + (out - begin));
        *out++ = u'\n';
    }
    return out;
}

} // namespace

PieceTree::PieceTree(QObject* parent) : QObject(parent) {}

PieceTree::~PieceTree() = default;

qsizetype PieceTree::Edit::length() const {
    qsizetype total = 0;
    for (const Piece& piece : pieces)
        total += piece.length;
    return total;
}

uint32_t PieceTree::nextPriority() {
    // xorshift: a fixed sequence keeps runs, and so their speed, repeatable.
    m_seed ^= m_seed << 13;
    m_seed ^= m_seed >> 17;
    m_seed ^= m_seed << 5;
    return m_seed;
}

qsizetype PieceTree::sumLength(int32_t node) const {
    return node < 0 ? 0 : m_nodes[node].sumLength;
}

qsizetype PieceTree::sumBreaks(int32_t node) const {
    return node < 0 ? 0 : m_nodes[node].sumBreaks;
}

void PieceTree::update(int32_t node) {
    Node& n = m_nodes[node];
    n.sumLength = n.length + sumLength(n.left) + sumLength(n.right);
    n.sumBreaks = n.breaks + sumBreaks(n.left) + sumBreaks(n.right);
}

qsizetype PieceTree::breaksBefore(uint8_t buffer, qsizetype offset) const {
    const std::vector<qsizetype>& breaks = m_buffers[buffer].breaks;
    return std::lower_bound(breaks.begin(), breaks.end(), offset) - breaks.begin();
}

int32_t PieceTree::newNode(const Piece& piece, uint32_t priority) {
    const qsizetype first = breaksBefore(piece.buffer, piece.start);
    const Node node{piece.start, piece.length,
                    first,       breaksBefore(piece.buffer, piece.start + piece.length) - first,
                    0,           0,
                    -1,          -1,
                    priority,    piece.buffer};
    int32_t index;
    if (m_free.empty()) {
        index = static_cast<int32_t>(m_nodes.size());
        m_nodes.push_back(node);
    } else {
        index = m_free.back();
        m_free.pop_back();
        m_nodes[index] = node;
    }
    update(index);
    return index;
}

void PieceTree::freeNodes(int32_t node) {
    if (node < 0)
        return;
    freeNodes(m_nodes[node].left);
    freeNodes(m_nodes[node].right);
    m_free.push_back(node);
}

int32_t PieceTree::merge(int32_t left, int32_t right) {
    if (left < 0)
        return right;
    if (right < 0)
        return left;
    if (m_nodes[left].priority >= m_nodes[right].priority) {
        const int32_t merged = merge(m_nodes[left].right, right);
        m_nodes[left].right = merged;
        update(left);
        return left;
    }
    const int32_t merged = merge(left, m_nodes[right].left);
    m_nodes[right].left = merged;
    update(right);
    return right;
}

void PieceTree::split(int32_t node, qsizetype position, int32_t& left, int32_t& right) {
    if (node < 0) {
        left = right = -1;
        return;
    }
    const qsizetype before = sumLength(m_nodes[node].left);
    if (position <= before) {
        int32_t inner;
        split(m_nodes[node].left, position, left, inner);
        m_nodes[node].left = inner;
        update(node);
        right = node;
        return;
    }
    position -= before;
    if (position >= m_nodes[node].length) {
        int32_t inner;
        split(m_nodes[node].right, position - m_nodes[node].length, inner, right);
        m_nodes[node].right = inner;
        update(node);
        left = node;
        return;
    }
    // The cut falls inside this piece: its second part becomes the root of the right side,
    // with the piece's priority, which no node below it exceeds.
    const Node& n = m_nodes[node];
    const int32_t rest = newNode({n.start + position, n.length - position, n.buffer}, n.priority);
    Node& cut = m_nodes[node];
    m_nodes[rest].right = cut.right;
    update(rest);
    cut.right = -1;
    cut.length = position;
    cut.breaks -= m_nodes[rest].breaks;
    update(node);
    left = node;
    right = rest;
}

bool PieceTree::extendLast(int32_t node, qsizetype length, qsizetype breaks) {
    if (node < 0)
        return false;
    Node& n = m_nodes[node];
    if (n.right >= 0) {
        if (!extendLast(n.right, length, breaks))
            return false;
    } else if (n.buffer != Added || n.start + n.length != m_buffers[Added].text.size() - length) {
        return false;
    } else {
        n.length += length;
        n.breaks += breaks;
    }
    update(node);
    return true;
}

void PieceTree::collect(int32_t node, std::vector<Piece>& pieces) const {
    if (node < 0)
        return;
    const Node& n = m_nodes[node];
    collect(n.left, pieces);
    pieces.push_back({n.start, n.length, n.buffer});
    collect(n.right, pieces);
}

void PieceTree::visit(int32_t node, qsizetype offset, qsizetype from, qsizetype to,
                      const std::function<bool(QStringView)>& fn, bool& going) const {
    if (node < 0 || !going)
        return;
    const Node& n = m_nodes[node];
    const qsizetype start = offset + sumLength(n.left);
    const qsizetype end = start + n.length;
    if (from < start)
        visit(n.left, offset, from, to, fn, going);
    if (going && from < end && to > start) {
        const qsizetype a = std::max(from, start);
        const qsizetype b = std::min(to, end);
        going = fn(QStringView(m_buffers[n.buffer].text).sliced(n.start + a - start, b - a));
    }
    if (to > end)
        visit(n.right, end, from, to, fn, going);
}

void PieceTree::setText(QString text) {
    const bool wasModified = isModified();
    const qsizetype oldLength = length();
    m_nodes.clear();
    m_free.clear();
    m_root = -1;
    m_steps.clear();
    m_applied = 0;
    m_clean = 0;
    for (Buffer& buffer : m_buffers) {
        buffer.text = QString();
        buffer.breaks.clear();
    }
    Buffer& original = m_buffers[Original];
    original.text = std::move(text);
    QChar* data = original.text.data();
    const QChar* end = storeWithLf(original.text, data, 0, original.breaks);
    original.text.truncate(end - data);
    original.breaks.shrink_to_fit();
    if (!original.text.isEmpty())
        m_root = newNode({0, original.text.size(), Original}, nextPriority());
    emit contentsChange(0, oldLength, length());
    if (wasModified)
        emit modificationChanged(false);
}

qsizetype PieceTree::length() const {
    return sumLength(m_root);
}

qsizetype PieceTree::lineCount() const {
    return sumBreaks(m_root) + 1;
}

qsizetype PieceTree::pieceCount() const {
    return static_cast<qsizetype>(m_nodes.size() - m_free.size());
}

QString PieceTree::text(qsizetype position, qsizetype length) const {
    position = std::clamp<qsizetype>(position, 0, this->length());
    length = std::clamp<qsizetype>(length, 0, this->length() - position);
    QString result(length, Qt::Uninitialized);
    QChar* out = result.data();
    forEachChunk(position, length, [&out](QStringView chunk) {
        std::copy(chunk.begin(), chunk.end(), out);
        out += chunk.size();
        return true;
    });
    return result;
}

void PieceTree::forEachChunk(qsizetype position, qsizetype length,
                             const std::function<bool(QStringView)>& fn) const {
    bool going = true;
    if (length > 0)
        visit(m_root, 0, position, position + length, fn, going);
}

QChar PieceTree::charAt(qsizetype position) const {
    int32_t node = m_root;
    while (node >= 0) {
        const Node& n = m_nodes[node];
        const qsizetype before = sumLength(n.left);
        if (position < before) {
            node = n.left;
        } else if (position < before + n.length) {
            return m_buffers[n.buffer].text[n.start + position - before];
        } else {
            position -= before + n.length;
            node = n.right;
        }
    }
    return QChar();
}

qsizetype PieceTree::lineStart(qsizetype line) const {
    if (line <= 0)
        return 0;
    if (line >= lineCount())
        return length();
    // Find the line'th break (1-based) and start after it.
    qsizetype offset = 0;
    int32_t node = m_root;
    while (node >= 0) {
        const Node& n = m_nodes[node];
        const qsizetype below = sumBreaks(n.left);
        if (line <= below) {
            node = n.left;
            continue;
        }
        line -= below;
        offset += sumLength(n.left);
        if (line <= n.breaks) {
            const qsizetype at = m_buffers[n.buffer].breaks[n.firstBreak + line - 1];
            return offset + at - n.start + 1;
        }
        line -= n.breaks;
        offset += n.length;
        node = n.right;
    }
    return length();
}

qsizetype PieceTree::lineEnd(qsizetype line) const {
    return line + 1 >= lineCount() ? length() : lineStart(line + 1) - 1;
}

qsizetype PieceTree::lineOf(qsizetype position) const {
    qsizetype line = 0;
    int32_t node = m_root;
    while (node >= 0) {
        const Node& n = m_nodes[node];
        const qsizetype before = sumLength(n.left);
        if (position <= before) {
            node = n.left;
            continue;
        }
        position -= before;
        line += sumBreaks(n.left);
        if (position <= n.length)
            return line + breaksBefore(n.buffer, n.start + position) - n.firstBreak;
        position -= n.length;
        line += n.breaks;
        node = n.right;
    }
    return line;
}

qsizetype PieceTree::position(qsizetype line, qsizetype column) const {
    const qsizetype start = lineStart(line);
    return start + std::clamp<qsizetype>(column, 0, lineEnd(lineOf(start)) - start);
}

qsizetype PieceTree::positionFromCrLf(qsizetype crLf) const {
    // Descend by characters plus breaks, the length each span has with CR LF breaks.
    qsizetype position = 0;
    int32_t node = m_root;
    while (node >= 0 && crLf > 0) {
        const Node& n = m_nodes[node];
        const qsizetype before = sumLength(n.left) + sumBreaks(n.left);
        if (crLf <= before) {
            node = n.left;
            continue;
        }
        crLf -= before;
        position += sumLength(n.left);
        if (crLf < n.length + n.breaks) {
            // Breaks of this piece whose CR LF ends at or before crLf: the i'th lies at
            // offset o, its CR LF ends at o + i + 2.
            const qsizetype* breaks = m_buffers[n.buffer].breaks.data() + n.firstBreak;
            const qsizetype passed =
                std::partition_point(breaks, breaks + n.breaks,
                                     [&](const qsizetype& at) {
                                         return at - n.start + (&at - breaks) + 2 <= crLf;
                                     }) -
                breaks;
            qsizetype offset = crLf - passed;
            if (passed < n.breaks)
                offset = std::min(offset, breaks[passed] - n.start);
            return position + offset;
        }
        crLf -= n.length + n.breaks;
        position += n.length;
        node = n.right;
    }
    return std::min(position, length());
}

void PieceTree::insertPieces(qsizetype position, const std::vector<Piece>& pieces) {
    int32_t left, right;
    split(m_root, position, left, right);
    for (const Piece& piece : pieces)
        left = merge(left, newNode(piece, nextPriority()));
    m_root = merge(left, right);
}

std::vector<PieceTree::Piece> PieceTree::removePieces(qsizetype position, qsizetype length) {
    int32_t left, middle, right;
    split(m_root, position, left, middle);
    split(middle, length, middle, right);
    std::vector<Piece> removed;
    collect(middle, removed);
    freeNodes(middle);
    m_root = merge(left, right);
    return removed;
}

qsizetype PieceTree::insert(qsizetype position, QStringView text) {
    position = std::clamp<qsizetype>(position, 0, length());
    Buffer& added = m_buffers[Added];
    // A chunk handed out by forEachChunk may lie in the buffer that is about to grow.
    const QChar* own = added.text.constData();
    if (text.data() >= own && text.data() < own + added.text.size())
        return insert(position, text.toString());
    const qsizetype start = added.text.size();
    const qsizetype breaksBefore = static_cast<qsizetype>(added.breaks.size());
    if (added.text.capacity() < start + text.size())
        added.text.reserve(std::max(start + text.size(), added.text.capacity() * 2));
    added.text.resize(start + text.size());
    QChar* data = added.text.data();
    added.text.truncate(storeWithLf(text, data + start, start, added.breaks) - data);
    const Piece piece{start, added.text.size() - start, Added};
    if (piece.length == 0)
        return 0;
    // Typing goes on at the end of the piece typed last: that piece grows instead of the
    // tree.
    int32_t left, right;
    split(m_root, position, left, right);
    if (!extendLast(left, piece.length, static_cast<qsizetype>(added.breaks.size()) - breaksBefore))
        left = merge(left, newNode(piece, nextPriority()));
    m_root = merge(left, right);
    record({position, true, {piece}});
    emit contentsChange(position, 0, piece.length);
    return piece.length;
}

void PieceTree::remove(qsizetype position, qsizetype length) {
    position = std::clamp<qsizetype>(position, 0, this->length());
    length = std::clamp<qsizetype>(length, 0, this->length() - position);
    if (length == 0)
        return;
    record({position, false, removePieces(position, length)});
    emit contentsChange(position, length, 0);
}

} // namespace orvenly
