#include "PrintProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace reportengine {

PrintProgressWindow::PrintProgressWindow(int pageCount, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_pageCount(pageCount)
{
    setObjectName(QStringLiteral("PrintProgressWindow"));
    setWindowTitle(QStringLiteral("Tisk sestavy"));
    setWindowModality(Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("PrintProgressText"));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, pageCount);
    m_bar->setTextVisible(false);
    auto *cancel = new QPushButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("PrintProgressCancel"));
    cancel->setAccessibleName(QStringLiteral("Storno"));
    cancel->setAccessibleDescription(QStringLiteral("Zastaví tisk sestavy"));
    connect(cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    setFixedWidth(300);
    setPage(0);
}

void PrintProgressWindow::setPage(int page)
{
    m_text->setText(QStringLiteral("Tisk strany %1 z %2").arg(page).arg(m_pageCount));
    m_bar->setValue(page);
}

} // namespace reportengine
