#include "PreviewWindow.h"

#include "PdfExport.h"
#include "ReportDocument.h"

#include <QAction>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace reportengine {

namespace {

constexpr double ScreenDotsPerMm = 96.0 / 25.4;
constexpr double MinZoom = 0.25;
constexpr double MaxZoom = 4.0;

} // namespace

PageView::PageView(ReportDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("PageView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(sizeHint());
}

void PageView::setPage(int page)
{
    page = std::clamp(page, 0, std::max(0, m_document.pageCount() - 1));
    if (page == m_page && !m_image.isNull())
        return;
    m_page = page;
    m_image = QImage();
    update();
}

void PageView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    m_zoom = zoom;
    m_image = QImage();
    setFixedSize(sizeHint());
    update();
}

QSize PageView::sizeHint() const
{
    const PageLayout &l = m_document.layout();
    const double dpm = ScreenDotsPerMm * m_zoom;
    return QSize(qRound(l.pageWidth * dpm), qRound(l.pageHeight * dpm));
}

const QImage &PageView::pageImage()
{
    if (m_image.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_image = QImage(sizeHint() * ratio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_document.paintPage(painter, m_page, ScreenDotsPerMm * m_zoom);
    }
    return m_image;
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), pageImage());
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

PreviewWindow::PreviewWindow(ReportDocument &document, const QString &title, std::function<void()> print,
                             QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_title(title)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("Náhled - %1").arg(title));
    setModal(true);
    resize(820, 900);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("PreviewToolbar"));
    layout->addWidget(bar);

    auto add = [this, bar](const char *name, const QString &caption, const QString &hint,
                           const QKeySequence &key, std::function<void()> run) {
        QAction *a = bar->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setStatusTip(hint);
        a->setToolTip(hint);
        if (!key.isEmpty())
            a->setShortcut(key);
        connect(a, &QAction::triggered, this, std::move(run));
        return a;
    };
    add("PreviewFirst", QStringLiteral("|<"), QStringLiteral("První strana"), QKeySequence(),
        [this] { goToPage(0); });
    add("PreviewPrior", QStringLiteral("<"), QStringLiteral("Předchozí strana"), QKeySequence(),
        [this] { goToPage(m_view->page() - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setObjectName(QStringLiteral("PreviewPage"));
    m_pageBox->setAccessibleName(QStringLiteral("Strana"));
    m_pageBox->setRange(1, std::max(1, document.pageCount()));
    m_pageBox->setKeyboardTracking(false);
    bar->addWidget(m_pageBox);
    m_pageCount = new QLabel(QStringLiteral(" z %1 ").arg(document.pageCount()), bar);
    m_pageCount->setObjectName(QStringLiteral("PreviewPageCount"));
    bar->addWidget(m_pageCount);
    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int value) { goToPage(value - 1); });
    add("PreviewNext", QStringLiteral(">"), QStringLiteral("Další strana"), QKeySequence(),
        [this] { goToPage(m_view->page() + 1); });
    add("PreviewLast", QStringLiteral(">|"), QStringLiteral("Poslední strana"), QKeySequence(),
        [this] { goToPage(m_document.pageCount() - 1); });
    bar->addSeparator();
    add("PreviewZoomOut", QStringLiteral("-"), QStringLiteral("Zmenšit"), QKeySequence::ZoomOut,
        [this] { m_view->setZoom(m_view->zoom() / 1.25); });
    add("PreviewZoomIn", QStringLiteral("+"), QStringLiteral("Zvětšit"), QKeySequence::ZoomIn,
        [this] { m_view->setZoom(m_view->zoom() * 1.25); });
    add("PreviewFitWidth", QStringLiteral("Šířka strany"), QStringLiteral("Přizpůsobí stranu šířce okna"),
        QKeySequence(), [this] { fitWidth(); });
    add("PreviewFitPage", QStringLiteral("Celá strana"), QStringLiteral("Zobrazí celou stranu"), QKeySequence(),
        [this] { fitPage(); });
    bar->addSeparator();
    if (print)
        add("PreviewPrint", QStringLiteral("Tisk..."), QStringLiteral("Vytiskne sestavu"), QKeySequence::Print,
            [print] { print(); });
    add("PreviewSavePdf", QStringLiteral("Uložit jako PDF..."), QStringLiteral("Uloží sestavu do souboru PDF"),
        QKeySequence::Save, [this] { chooseAndSave(); });
    add("PreviewClose", QStringLiteral("Zavřít"), QStringLiteral("Zavře náhled"), QKeySequence(),
        [this] { reject(); });

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PreviewScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(document, m_scroll);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    updatePageState();

    // The page box and the scrolled page would take the paging keys for
    // themselves (the box steps by ten pages, the page scrolls): the window
    // sees them first, wherever the keyboard is.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void PreviewWindow::goToPage(int page)
{
    m_view->setPage(page);
    m_scroll->verticalScrollBar()->setValue(0);
    updatePageState();
}

void PreviewWindow::updatePageState()
{
    const QSignalBlocker block(m_pageBox);
    m_pageBox->setValue(m_view->page() + 1);
    const bool first = m_view->page() == 0;
    const bool last = m_view->page() >= m_document.pageCount() - 1;
    for (const char *name : {"PreviewFirst", "PreviewPrior"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(!first);
    for (const char *name : {"PreviewNext", "PreviewLast"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(!last);
}

void PreviewWindow::fitWidth()
{
    const double width = m_scroll->viewport()->width() - 8;
    m_view->setZoom(width / (m_document.layout().pageWidth * ScreenDotsPerMm));
}

void PreviewWindow::fitPage()
{
    const QSize room = m_scroll->viewport()->size() - QSize(8, 8);
    const PageLayout &l = m_document.layout();
    m_view->setZoom(std::min(room.width() / (l.pageWidth * ScreenDotsPerMm),
                             room.height() / (l.pageHeight * ScreenDotsPerMm)));
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_fitted) {
        m_fitted = true;
        fitWidth();
    }
}

bool PreviewWindow::pageByKey(const QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_PageDown:
        goToPage(m_view->page() + 1);
        return true;
    case Qt::Key_PageUp:
        goToPage(m_view->page() - 1);
        return true;
    case Qt::Key_Home:
        goToPage(0);
        return true;
    case Qt::Key_End:
        goToPage(m_document.pageCount() - 1);
        return true;
    default:
        return false;
    }
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && pageByKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    if (!pageByKey(event))
        QDialog::keyPressEvent(event);
}

bool PreviewWindow::saveAsPdf(const QString &path)
{
    const QString error = writePdf(m_document, path, m_title);
    if (!error.isEmpty()) {
        emit failed(error);
        return false;
    }
    return true;
}

void PreviewWindow::chooseAndSave()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Uložit jako PDF"), m_title + QStringLiteral(".pdf"),
                                                QStringLiteral("Dokument PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    saveAsPdf(path);
}

} // namespace reportengine
