#include "gallery/GalleryWindow.h"

#include "gallery/Inspector.h"
#include "tamsell/PropertySheet.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace gallery {

namespace {

// Marks the frame of the control whose properties the sheet shows.
const QString Marker = QStringLiteral("▶ ");

} // namespace

GalleryWindow::GalleryWindow(std::vector<GalleryEntry> entries, QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Tamsell コントロール ギャラリー"));
    auto* splitter = new QSplitter(this);

    auto* shelf = new QWidget;
    auto* shelfLayout = new QVBoxLayout(shelf);
    for (GalleryEntry& entry : entries) {
        auto* frame = new QGroupBox(entry.name, shelf);
        auto* frameLayout = new QVBoxLayout(frame);
        const QString name = entry.name;
        const GalleryDemo demo =
            entry.make(frame, [this, name](const QString& event) { report(name, event); });
        frameLayout->addWidget(demo.view);
        shelfLayout->addWidget(frame);
        // Controls that take no focus are chosen by a click.
        frame->installEventFilter(this);
        demo.control->installEventFilter(this);
        m_shown.push_back({std::move(entry), frame, demo.control});
    }
    shelfLayout->addStretch();
    auto* scroll = new QScrollArea(splitter);
    scroll->setWidget(shelf);
    scroll->setWidgetResizable(true);

    auto* side = new QWidget(splitter);
    auto* sideLayout = new QVBoxLayout(side);
    m_target = new QComboBox(side);
    for (const Shown& shown : m_shown)
        m_target->addItem(shown.entry.name);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("対象 (&T) :"), m_target);
    sideLayout->addLayout(form);
    m_sheet = new tamsell::PropertySheet(side);
    sideLayout->addWidget(m_sheet, 1);
    m_inspector = std::make_unique<Inspector>(*m_sheet);

    splitter->addWidget(scroll);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);
    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->addAction(QStringLiteral("終了(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    &QWidget::close);
    statusBar()->showMessage(
        QStringLiteral("コントロールをクリックすると、そのプロパティを右のシートで変えられます。"));

    connect(m_target, &QComboBox::currentIndexChanged, this, &GalleryWindow::inspect);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
    if (!m_shown.empty())
        inspect(0);
}

GalleryWindow::~GalleryWindow() {
    disconnect(qApp, nullptr, this, nullptr);
}

void GalleryWindow::inspect(int index) {
    if (index == m_inspected || index < 0 || index >= count())
        return;
    m_inspected = index;
    {
        const QSignalBlocker quiet(m_target);
        m_target->setCurrentIndex(index);
    }
    for (int i = 0; i < count(); ++i) {
        const Shown& shown = m_shown[size_t(i)];
        shown.frame->setTitle(i == index ? Marker + shown.entry.name : shown.entry.name);
    }
    const Shown& shown = m_shown[size_t(index)];
    m_inspector->show(shown.entry.describe(*shown.control));
}

void GalleryWindow::focusMoved(QWidget* now) {
    for (int i = 0; now && i < count(); ++i)
        if (m_shown[size_t(i)].frame->isAncestorOf(now))
            inspect(i);
}

bool GalleryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < count(); ++i) {
            const Shown& shown = m_shown[size_t(i)];
            if (watched == shown.frame || watched == shown.control)
                inspect(i);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void GalleryWindow::report(const QString& name, const QString& event) {
    statusBar()->showMessage(QStringLiteral("%1: %2").arg(name, event));
    // What the control did may show in its properties.
    if (m_inspected >= 0 && m_shown[size_t(m_inspected)].entry.name == name)
        m_inspector->refresh();
}

} // namespace gallery
