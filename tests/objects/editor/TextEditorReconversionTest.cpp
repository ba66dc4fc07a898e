#include "tests/objects/editor/TextEditorTestSupport.h"

#include "orvenly/TextEditor.h"

#include <QtEndian>
#include <cstddef>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::TextEditor;
using Form = TextEditor::ReconvertForm;

namespace {

uint32_t field(const QByteArray& record, int index) {
    return qFromLittleEndian<uint32_t>(record.constData() + std::ptrdiff_t{4} * index);
}

class TextEditorReconversionTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        editor.Load(&box);
        editor.SetText(u"前漢字変換後"_s);
        editor.SetSel(1, 4);
    }
    orvenly::TextBox box;
    TextEditor editor;
};

TEST_F(TextEditorReconversionTest, RequestDescribesTheSelectionInEitherForm) {
    // Four double-byte characters: 8 bytes and a NUL.
    EXPECT_EQ(editor.ReconversionRequest(4, nullptr, Form::Cp932), 32 + 9);
    QByteArray buffer(41, '\xff');
    EXPECT_EQ(editor.ReconversionRequest(4, &buffer, Form::Cp932), 41);
    const uint32_t expected[] = {41, 0, 8, 32, 8, 0, 8, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(field(buffer, i), expected[i]) << "field " << i;
    EXPECT_EQ(buffer.mid(32), QByteArray("\x8a\xbf\x8e\x9a\x95\xcf\x8a\xb7", 9));

    QByteArray wide(32 + 10, '\xff');
    EXPECT_EQ(editor.ReconversionRequest(4, &wide, Form::Utf16), 42);
    EXPECT_EQ(field(wide, 0), 42u);
    EXPECT_EQ(field(wide, 2), 8u);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(wide.constData() + 32)),
              u"漢字変換"_s);
}

TEST_F(TextEditorReconversionTest, ShortBuffersAndOtherRequestsAreLeftAlone) {
    QByteArray small(40, '\x01');
    EXPECT_EQ(editor.ReconversionRequest(4, &small, Form::Cp932), 41);
    EXPECT_EQ(small, QByteArray(40, '\x01'));
    EXPECT_EQ(editor.ReconversionRequest(5, &small, Form::Cp932), 1);
    QByteArray header(31, '\0');
    EXPECT_EQ(editor.ReconversionRequest(5, &header, Form::Cp932), 0);
    EXPECT_EQ(editor.ReconversionRequest(6, &header, Form::Cp932), 0);
    EXPECT_EQ(editor.ReconversionRequest(5, nullptr, Form::Cp932), 0);
}

TEST_F(TextEditorReconversionTest, ConfirmationDeletesTheConfirmedPart) {
    QByteArray record(41, '\0');
    editor.ReconversionRequest(4, &record, Form::Cp932);
    // The input method takes 字変 (bytes 2 to 6 of the area).
    qToLittleEndian<uint32_t>(4, record.data() + 16);
    qToLittleEndian<uint32_t>(2, record.data() + 20);
    EXPECT_EQ(editor.ReconversionRequest(5, &record, Form::Cp932), 1);
    EXPECT_EQ(editor.Text(), u"前漢換後"_s);
    EXPECT_EQ(editor.SelStart(), 2);

    editor.SetSel(1, 2);
    QByteArray wide(38, '\0');
    editor.ReconversionRequest(4, &wide, Form::Utf16);
    // Lengths past the string area stop at its end.
    qToLittleEndian<uint32_t>(0xFFFFFFF0u, wide.data() + 16);
    qToLittleEndian<uint32_t>(2, wide.data() + 20);
    EXPECT_EQ(editor.ReconversionRequest(5, &wide, Form::Utf16), 1);
    EXPECT_EQ(editor.Text(), u"前漢後"_s);
}

} // namespace
