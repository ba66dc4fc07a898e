#include "dialogs/cDlgConverter.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "common/TextForms.h"
#include "dialogs/cDlgSelectFormat.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/TextConversion.h"
#include "tamsell/ProgressBar.h"

#include <platform/FileReplacement.h>
#include <platform/ReadableFile.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <new>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;
using namespace orvenly;

namespace {

// The number and description of an error no step expected.
QString errorText(int32_t number, const QString& description) {
    return u"\r\n\r\nCode: 0x%1\r\n\r\nDesc: '%2'"_s.arg(uint32_t(number), 8, 16, QChar(u'0'))
        .arg(description);
}

// All bytes of a regular file, or nothing.
std::optional<QByteArray> readWhole(const QString& path) {
    platform::ReadableFile file(path);
    QByteArray bytes = file.readAll(platform::MaxTextFileSize);
    if (file.failure() != platform::ReadableFile::Failure::None)
        return std::nullopt;
    return bytes;
}

bool isSevenBit(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (uchar(c) & 0x80) == 0; });
}

} // namespace

void cDlgConverter::ConvertAll(bool& result) {
    m_Src = formOf(cboCharsetSrc->currentData().toInt()).charset;
    m_Dest = formOf(cboCharsetDest->currentData().toInt());
    m_Force = formOf(cboCharsetForce->currentData().toInt()).charset;
    m_UseForce = chkForce->isChecked();
    m_SrcLineBreak = StringLineBreakCodeConstants(cboLineBreakSrc->currentIndex());
    m_DestLineBreak = StringLineBreakCodeConstants(cboLineBreakDest->currentIndex() + 1);
    m_Narrow = chkNarrow->isChecked();
    m_Abort = false;
    m_lossForAll.reset();
    pbrStatus->setMax(lstFiles->count());
    pbrStatus->setValue(0);
    for (int row = 0; row < lstFiles->count(); ++row) {
        const QString path = lstFiles->item(row)->text();
        lblProgress->setText(path);
        // Lets キャンセル through; a stop takes effect between files.
        QCoreApplication::processEvents();
        if (m_Abort || !ConvertFile(path))
            return;
        pbrStatus->Step();
    }
    result = true;
}

// True when the run goes on.
bool cDlgConverter::ConvertFile(const QString& path) {
    QByteArray bytes;
    for (;;) {
        if (auto read = readWhole(path)) {
            bytes = std::move(*read);
            break;
        }
        const FailureAnswer answer = askAboutFailure(path, FailedStep::Read, {});
        if (answer != FailureAnswer::Retry)
            return answer == FailureAnswer::Skip;
    }
    // An empty file is done as it is.
    if (bytes.isEmpty())
        return true;

    std::optional<QByteArray> output;
    for (;;) {
        QString reason;
        try {
            bool stop = false;
            output = convertedBytes(path, bytes, stop);
            if (!output)
                return !stop;
            break;
        } catch (const AutomationError& error) {
            reason = errorText(error.number(), error.description());
        } catch (const std::bad_alloc&) {
            reason =
                errorText(errors::OutOfMemory, AutomationError(errors::OutOfMemory).description());
        }
        const FailureAnswer answer = askAboutFailure(path, FailedStep::Convert, reason);
        if (answer != FailureAnswer::Retry)
            return answer == FailureAnswer::Skip;
    }

    // The file keeps its contents until the new ones are complete.
    for (;;) {
        if (platform::replaceFileContents(path, *output)) {
            // A run stopped half-way must still say which files it changed.
            Log(u"ファイル '%1' を変換しました。"_s.arg(path));
            return true;
        }
        const FailureAnswer answer = askAboutFailure(path, FailedStep::Write, {});
        if (answer != FailureAnswer::Retry)
            return answer == FailureAnswer::Skip;
    }
}

// The bytes to write, or nothing when the file is skipped (stop set when the run ends).
std::optional<QByteArray> cDlgConverter::convertedBytes(const QString& path,
                                                        const QByteArray& bytes, bool& stop) {
    ConversionRequest request;
    request.from = m_Src;
    request.undecided = m_UseForce ? m_Force : SCS_UNKNOWN;
    request.fromBreak = m_SrcLineBreak;
    request.to = m_Dest;
    request.toBreak = m_DestLineBreak;
    request.narrowFiltering = m_Narrow && m_Dest.charset == SCS_JIS;
    for (;;) {
        const ConversionResult converted = convertText(bytes, request);
        switch (converted.status) {
        case ConversionStatus::Converted:
            if (request.lossy)
                Log(u"ファイル '%1' の %2 個の文字を '?' に置き換えて変換しました。"_s.arg(path)
                        .arg(converted.unmappable.count));
            return converted.output;
        case ConversionStatus::Unchanged:
            Log(u"ファイル '%1' は変換しても変わらないため、書き換えませんでした。"_s.arg(path));
            return std::nullopt;
        case ConversionStatus::NotText:
            MsgBox(
                this,
                u"ファイル '"_s + path +
                    u"' をテキストファイルとして認識できません。\r\n\r\nこのファイルは変換できません。"_s,
                msgbox::Exclamation);
            Log(u"ファイル '"_s + path + u"' をテキストファイルとして認識できませんでした。"_s);
            Log(u"このファイルをスキップします。"_s);
            return std::nullopt;
        case ConversionStatus::Undecided: {
            // Seven-bit text reads the same in every charset: nothing to ask.
            if (isSevenBit(bytes)) {
                request.from = SCS_SHIFTJIS;
                break;
            }
            MsgBox(
                this,
                u"ファイル '"_s + path +
                    u"' の文字セットを特定できませんでした。\r\n\r\n\t最適と思われる文字セットを選択してください。"_s,
                msgbox::Information);
            const int32_t format = cDlgSelectFormat::ShowSelect(
                cDlgSelectFormat::StyleRecognise, formatSelection(SCS_SHIFTJIS, SLB_CRLF), this);
            if (format == FormatCancelled) {
                Log(u"処理は中止されました。"_s);
                stop = true;
                return std::nullopt;
            }
            // The dialog offers no "recognise"; a script's 0 reads as Shift_JIS.
            request.from =
                (format & 3) != 0 ? StringCharsetTypeConstants(format & 3) : SCS_SHIFTJIS;
            break;
        }
        case ConversionStatus::Unmappable: {
            const Unmappable& lost = converted.unmappable;
            switch (askAboutLoss(path, lost.count, lost.line, lost.character)) {
            case LossAnswer::Convert:
                request.lossy = true;
                break;
            case LossAnswer::Skip:
                Log(u"ファイル '%1' は %2 で表せない文字があるため、スキップしました。"_s.arg(
                    path, formCaption(m_Dest)));
                return std::nullopt;
            case LossAnswer::Stop:
                Log(u"ファイル '%1' は %2 で表せない文字があるため、処理を中止しました。"_s.arg(
                    path, formCaption(m_Dest)));
                stop = true;
                return std::nullopt;
            }
            break;
        }
        case ConversionStatus::WriteFailed:
            throw AutomationError(errors::OutOfMemory);
        }
    }
}

cDlgConverter::FailureAnswer cDlgConverter::askAboutFailure(const QString& path, FailedStep step,
                                                            const QString& reason) {
    QString prompt;
    QString logText;
    switch (step) {
    case FailedStep::Read:
        prompt = FormatResString(strings::Unreadable, {path});
        logText = u"ファイル: '"_s + path + u"' が開けませんでした。"_s;
        break;
    case FailedStep::Write:
        prompt = FormatResString(strings::Unwritable, {path});
        logText = u"ファイル: '"_s + path + u"' に上書きできませんでした。"_s;
        break;
    case FailedStep::Convert:
        prompt = u"ファイル: '"_s + path + u"' の処理中に不明なエラーが発生しました。"_s + reason;
        logText = u"ファイル: '"_s + path + u"' を変換できませんでした。"_s;
        break;
    }
    switch (MsgBox(this, prompt,
                   msgbox::AbortRetryIgnore | msgbox::Exclamation | msgbox::DefaultButton2)) {
    case msgbox::Retry:
        return FailureAnswer::Retry;
    case msgbox::Ignore:
        Log(logText);
        Log(u"このファイルをスキップしました。"_s);
        return FailureAnswer::Skip;
    default:
        Log(logText);
        Log(u"処理は中止されました。"_s);
        return FailureAnswer::Stop;
    }
}

cDlgConverter::LossAnswer cDlgConverter::askAboutLoss(const QString& path, qsizetype count,
                                                      qsizetype line, char32_t character) {
    if (m_lossForAll)
        return *m_lossForAll;
    const QString code = u"U+%1"_s.arg(uint(character), 4, 16, QChar(u'0')).toUpper();
    const QString prompt =
        u"ファイル '%1' には、%2 で表せない文字が %3 個あります（最初は %4 行目の '%5' (%6)）。"
        u"\r\n\r\n変換すると、これらの文字は '?' になります。"_s.arg(path, formCaption(m_Dest))
            .arg(count)
            .arg(line)
            .arg(QString::fromUcs4(&character, 1), code);
    const QString forAll = u"以降のファイルにも同じ処理を行う(&R)"_s;
    LossAnswer answer = LossAnswer::Stop;
    bool applyToAll = false;
    if (const auto scripted = modal::scripted({u"Unmappable"_s, prompt, {}, 0, {}})) {
        answer = LossAnswer(scripted->value);
        applyToAll = scripted->files.value(0) == u"all"_s;
    } else {
        QMessageBox box(QMessageBox::Warning, windowTitle(), prompt, QMessageBox::NoButton, this);
        QPushButton* convert = box.addButton(u"変換する(&Y)"_s, QMessageBox::AcceptRole);
        QPushButton* skip = box.addButton(u"スキップする(&S)"_s, QMessageBox::RejectRole);
        box.addButton(u"中止する(&A)"_s, QMessageBox::DestructiveRole);
        box.setDefaultButton(skip);
        auto* all = new QCheckBox(forAll, &box);
        box.setCheckBox(all);
        box.exec();
        answer = box.clickedButton() == convert ? LossAnswer::Convert
                 : box.clickedButton() == skip  ? LossAnswer::Skip
                                                : LossAnswer::Stop;
        applyToAll = all->isChecked();
    }
    if (applyToAll)
        m_lossForAll = answer;
    return answer;
}

void cDlgConverter::Log(const QString& line) {
    txtLog->setCursorPosition(txtLog->storage().length());
    txtLog->insertText(line + u"\r\n"_s);
    txtLog->show();
}

} // namespace penlark
