#include "common/JournalRecords.h"

#include <QDataStream>
#include <QIODevice>
#include <array>

namespace penlark {

namespace {

constexpr char Mark[4] = {'P', 'L', 'K', 'J'};
constexpr qsizetype HeaderSize = 8;
constexpr qsizetype RecordHead = 8;
constexpr quint8 BaseType = 1;
constexpr quint8 StepType = 2;

constexpr std::array<quint32, 256> crcTable() {
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr auto CrcTable = crcTable();

void prepare(QDataStream& stream) {
    stream.setVersion(QDataStream::Qt_6_0);
    stream.setByteOrder(QDataStream::LittleEndian);
}

void writeState(QDataStream& out, const JournalState& state) {
    out << quint8(state.format.form.charset) << state.format.form.byteOrderMark
        << quint8(state.format.breakCode) << state.anchor << state.caret << state.lastEdit
        << state.changeSize;
}

bool readState(QDataStream& in, JournalState& state) {
    quint8 charset = 0;
    quint8 breakCode = 0;
    bool mark = false;
    in >> charset >> mark >> breakCode >> state.anchor >> state.caret >> state.lastEdit >>
        state.changeSize;
    state.format.form = orvenly::TextForm(orvenly::StringCharsetTypeConstants(charset), mark);
    state.format.breakCode = orvenly::StringLineBreakCodeConstants(breakCode);
    return in.status() == QDataStream::Ok && state.anchor >= 0 && state.caret >= 0 &&
           state.changeSize >= 0;
}

QByteArray record(const QByteArray& payload) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    prepare(out);
    out << quint32(payload.size()) << crc32(payload.constData(), payload.size());
    bytes += payload;
    return bytes;
}

bool readBase(QDataStream& in, JournalContents& contents) {
    JournalBase& base = contents.base;
    platform::FileState& disk = base.diskState;
    in >> base.path >> disk.exists >> disk.size >> disk.modifiedNs >> disk.device >> disk.inode >>
        base.fromFile >> base.snapshot;
    if (in.status() != QDataStream::Ok || !readState(in, contents.state))
        return false;
    base.format = contents.state.format;
    return true;
}

bool readStep(QDataStream& in, JournalContents& contents) {
    JournalState state;
    quint32 count = 0;
    if (!readState(in, state))
        return false;
    in >> count;
    std::vector<JournalEdit> edits;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        JournalEdit edit;
        in >> edit.position >> edit.removed >> edit.inserted;
        if (edit.position < 0 || edit.removed < 0)
            return false;
        edits.push_back(std::move(edit));
    }
    if (in.status() != QDataStream::Ok)
        return false;
    contents.state = state;
    contents.edits.insert(contents.edits.end(), std::make_move_iterator(edits.begin()),
                          std::make_move_iterator(edits.end()));
    return true;
}

} // namespace

quint32 crc32(const char* data, qsizetype size) {
    quint32 c = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        c = CrcTable[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray journalHeader() {
    QByteArray bytes(Mark, sizeof Mark);
    QDataStream out(&bytes, QIODevice::Append);
    prepare(out);
    out << JournalVersion;
    return bytes;
}

QByteArray baseRecord(const JournalBase& base, const JournalState& state) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    prepare(out);
    const platform::FileState& disk = base.diskState;
    out << BaseType << base.path << disk.exists << disk.size << disk.modifiedNs << disk.device
        << disk.inode << base.fromFile << base.snapshot;
    writeState(out, state);
    return record(payload);
}

QByteArray stepRecord(const JournalState& state, const std::vector<JournalEdit>& edits) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    prepare(out);
    out << StepType;
    writeState(out, state);
    out << quint32(edits.size());
    for (const JournalEdit& edit : edits)
        out << edit.position << edit.removed << edit.inserted;
    return record(payload);
}

JournalContents readJournal(const QByteArray& bytes) {
    JournalContents contents;
    if (bytes.size() < HeaderSize || !bytes.startsWith(QByteArrayView(Mark, sizeof Mark)))
        return contents;
    QDataStream header(bytes.mid(sizeof Mark, 4));
    prepare(header);
    quint32 version = 0;
    header >> version;
    if (version > JournalVersion) {
        contents.status = JournalContents::Status::Newer;
        return contents;
    }
    qsizetype offset = HeaderSize;
    bool haveBase = false;
    while (offset < bytes.size()) {
        if (bytes.size() - offset < RecordHead)
            break;
        QDataStream head(bytes.mid(offset, RecordHead));
        prepare(head);
        quint32 length = 0;
        quint32 sum = 0;
        head >> length >> sum;
        if (length == 0 || qsizetype(length) > bytes.size() - offset - RecordHead)
            break;
        const QByteArray payload = bytes.mid(offset + RecordHead, length);
        if (crc32(payload.constData(), payload.size()) != sum)
            break;
        QDataStream in(payload);
        prepare(in);
        quint8 type = 0;
        in >> type;
        const bool read = haveBase ? type == StepType && readStep(in, contents)
                                   : type == BaseType && readBase(in, contents);
        if (!read)
            break;
        haveBase = true;
        offset += RecordHead + length;
        contents.wholeBytes = offset;
    }
    if (!haveBase)
        return contents;
    contents.status =
        offset == bytes.size() ? JournalContents::Status::Whole : JournalContents::Status::Cut;
    return contents;
}

} // namespace penlark
