#include "gallery/GalleryEntry.h"

#include "tamsell/CandidateBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

// NOLINTBEGIN(readability-identifier-naming): named by the generator of the data.
extern const unsigned char toolbarImage[];
extern const std::size_t toolbarImage_size;
// NOLINTEND(readability-identifier-naming)

namespace gallery {

using namespace tamsell;

namespace {

// Readings and words; the box shows them as "reading<TAB>word" with an image each.
const char16_t* const Words[][2] = {
    {u"ねこ", u"猫"},   {u"いぬ", u"犬"},         {u"とり", u"鳥"},   {u"さかな", u"魚"},
    {u"はる", u"春"},   {u"なつ", u"夏"},         {u"あき", u"秋"},   {u"ふゆ", u"冬"},
    {u"やま", u"山"},   {u"かわ", u"川"},         {u"うみ", u"海"},   {u"そら", u"空"},
    {u"くも", u"雲"},   {u"あめ", u"雨"},         {u"ゆき", u"雪"},   {u"かぜ", u"風"},
    {u"つき", u"月"},   {u"ほし", u"星"},         {u"はな", u"花"},   {u"さくら", u"桜"},
    {u"あさ", u"朝"},   {u"よる", u"夜"},         {u"みち", u"道"},   {u"くるま", u"車"},
    {u"えき", u"駅"},   {u"いえ", u"家"},         {u"こころ", u"心"}, {u"かんじ", u"漢字"},
    {u"かな", u"仮名"}, {u"かたかな", u"片仮名"},
};

GalleryDemo makeCandidateBox(QWidget* parent, const Reporter& report) {
    auto* view = new QWidget(parent);
    auto* reading = new QLineEdit(view);
    reading->setPlaceholderText(QStringLiteral("読みを入れると候補を選びます"));
    auto* completion = new QLabel(view);
    auto* box = new CandidateBox(view);
    box->setItemPicture(QImage::fromData(toolbarImage, static_cast<int>(toolbarImage_size), "PNG"));
    int image = 0;
    for (const auto& word : Words) {
        box->Items().Add(0, {}, image % 10 + 1,
                         QString::fromUtf16(word[0]) + u'\t' + QString::fromUtf16(word[1]));
        ++image;
    }
    box->resize(box->width(), 8 * (box->ItemHeight() + 1) + 4);

    QObject::connect(reading, &QLineEdit::textEdited, box, [box, completion](const QString& text) {
        box->SelectString(text, 0, false, true);
        QString completed = text;
        const int32_t index = box->GetCompleteString(completed);
        completion->setText(index ? QStringLiteral("補完: %1 (%2 番目)").arg(completed).arg(index)
                                  : QString());
    });
    QObject::connect(box, &CandidateBox::Click, box, [box, report] {
        report(
            QStringLiteral("Click (%1)").arg(box->SelectedItem()->Caption().replace(u'\t', u' ')));
    });
    QObject::connect(box, &CandidateBox::DblClick, box, [box, reading, report] {
        report(QStringLiteral("DblClick"));
        if (const auto item = box->SelectedItem())
            reading->setText(item->Caption().section(u'\t', 1));
    });

    auto* layout = new QFormLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("読み (&R) :"), reading);
    layout->addRow(QString(), completion);
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addStretch();
    layout->addRow(QStringLiteral("候補 :"), row);
    return {view, box};
}

GalleryProperties describeCandidateBox(CandidateBox& box) {
    const QString look = QStringLiteral("外観");
    const QString behaviour = QStringLiteral("動作");
    const QString actions = QStringLiteral("並べ替え");
    CandidateBox* b = &box;
    return {
        flagProperty(
            look, QStringLiteral("IntegralHeight"), [b] { return b->IntegralHeight(); },
            [b](bool v) { b->setIntegralHeight(v); }),
        flagProperty(
            look, QStringLiteral("AutoSize"), [b] { return b->AutoSize(); },
            [b](bool v) { b->setAutoSize(v); }),
        numberProperty(
            look, QStringLiteral("ItemHeight"), [b] { return b->ItemHeight(); },
            [b](int32_t v) { b->setItemHeight(v); }),
        colorProperty(
            look, QStringLiteral("ForeColor"), [b] { return b->ForeColor(); },
            [b](uint32_t v) { b->setForeColor(v); }),
        colorProperty(
            look, QStringLiteral("BackColor"), [b] { return b->BackColor(); },
            [b](uint32_t v) { b->setBackColor(v); }),
        flagProperty(
            look, QStringLiteral("UseMaskColor"), [b] { return b->UseMaskColor(); },
            [b](bool v) { b->setUseMaskColor(v); }),
        colorProperty(
            look, QStringLiteral("MaskColor"), [b] { return b->MaskColor(); },
            [b](uint32_t v) { b->setMaskColor(v); }),
        fontProperty(look, box),
        choiceProperty(
            behaviour, QStringLiteral("CompareMode"),
            {QStringLiteral("0 - CBTCM_BINARY"), QStringLiteral("1 - CBTCM_CASE_INSENSITIVE")},
            [b] { return b->CompareMode(); },
            [b](int32_t v) { b->setCompareMode(CandidateBoxTextCompareModeConstants(v)); }),
        flagProperty(
            behaviour, QStringLiteral("Wrap"), [b] { return b->Wrap(); },
            [b](bool v) { b->setWrap(v); }),
        flagProperty(
            behaviour, QStringLiteral("Enabled"), [b] { return b->isEnabled(); },
            [b](bool v) { b->setEnabled(v); }),
        numberProperty(
            behaviour, QStringLiteral("TopIndex"), [b] { return b->TopIndex(); },
            [b](int32_t v) { b->setTopIndex(v); }),
        actionProperty(actions, QStringLiteral("Sort (CBSK_CAPTION)"), QStringLiteral("昇順"),
                       [b] { b->Sort(CBSK_CAPTION, CBSO_ASCENDING); }),
        actionProperty(actions, QStringLiteral("Sort (降順)"), QStringLiteral("降順"),
                       [b] { b->Sort(CBSK_CAPTION, CBSO_DESCENDING); }),
        actionProperty(actions, QStringLiteral("Sort (CBSK_IMAGE)"), QStringLiteral("画像の順"),
                       [b] { b->Sort(CBSK_IMAGE, CBSO_ASCENDING); }),
    };
}

} // namespace

GalleryEntry candidateBoxEntry() {
    return {QStringLiteral("候補ボックス (CandidateBox)"), makeCandidateBox, [](QWidget& control) {
                return describeCandidateBox(static_cast<CandidateBox&>(control));
            }};
}

} // namespace gallery
