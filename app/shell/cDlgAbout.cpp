#include "shell/cDlgAbout.h"

#include "orvenly/Modal.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVersionNumber>

namespace penlark {

namespace {

using namespace Qt::StringLiterals;

constexpr int IconSize = 32;
// What a title bar takes besides its text: the window's icon and its three buttons.
constexpr int TitleBarFurniture = 6 * IconSize;

QString captionText() {
    return u"About "_s + QApplication::applicationName();
}

} // namespace

void cDlgAbout::ShowAbout(QWidget* Owner) {
    if (orvenly::modal::scripted({u"About"_s, {}, captionText(), 0, {}}))
        return;
    cDlgAbout dialog(Owner);
    dialog.exec();
}

QString cDlgAbout::VersionCaption(const QString& version) {
    const QVersionNumber number = QVersionNumber::fromString(version);
    return u"Ver. %1.%2.%3"_s.arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

cDlgAbout::cDlgAbout(QWidget* owner) : QDialog(owner) {
    setWindowTitle(captionText());

    // A widget without an icon of its own shows the application's.
    const QIcon icon = owner ? owner->windowIcon() : QApplication::windowIcon();
    auto* imgAppIcon = new QLabel(this);
    imgAppIcon->setObjectName(u"imgAppIcon"_s);
    imgAppIcon->setPixmap(icon.pixmap(IconSize, IconSize));
    imgAppIcon->setFixedSize(IconSize, IconSize);

    auto* lblProductName = new QLabel(QApplication::applicationDisplayName(), this);
    lblProductName->setObjectName(u"lblProductName"_s);
    QFont nameFont = lblProductName->font();
    nameFont.setBold(true);
    lblProductName->setFont(nameFont);
    auto* lblVersion = new QLabel(VersionCaption(QCoreApplication::applicationVersion()), this);
    lblVersion->setObjectName(u"lblVersion"_s);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* frameLayout = new QHBoxLayout(frame);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblProductName);
    texts->addWidget(lblVersion);
    frameLayout->addWidget(imgAppIcon, 0, Qt::AlignTop);
    frameLayout->addSpacing(IconSize / 2);
    frameLayout->addLayout(texts);
    frameLayout->addStretch();

    // Default and cancel button alike: Enter and Esc both close the box.
    auto* cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    // Wide enough for the whole title, which a window manager would otherwise cut short.
    QFont titleFont = font();
    titleFont.setBold(true);
    frame->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) +
                           TitleBarFurniture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmdOK->setFocus();
}

} // namespace penlark
