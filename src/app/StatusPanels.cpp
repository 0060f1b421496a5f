#include "StatusPanels.h"

#include "CommandIcons.h"

#include "widgets/Fonts.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>

namespace app {

namespace {

const QString SixBlanks = QStringLiteral("      ");

// What each status picture tells, for screen readers.
QString pictureMeaning(const QString &name)
{
    static const QHash<QString, QString> meaning = {
        {QStringLiteral("Image1"), QStringLiteral("Nápověda")},
        {QStringLiteral("SBO1"), QStringLiteral("Výběr tiskové sestavy")},
        {QStringLiteral("SBO2"), QStringLiteral("Vyhledávání záznamů")},
        {QStringLiteral("SBO3"), QStringLiteral("Práce s databází")},
        {QStringLiteral("SBO4"), QStringLiteral("Správa volitelných databází")},
        {QStringLiteral("SBO5"), QStringLiteral("Dialog")},
        {QStringLiteral("SBO6"), QStringLiteral("Dotaz")},
        {QStringLiteral("SBO7"), QStringLiteral("Upozornění")},
        {QStringLiteral("SBO8"), QStringLiteral("Nápověda programu")},
        {QStringLiteral("SBO9"), QStringLiteral("Dialog")},
        {QStringLiteral("SBO10"), QStringLiteral("Databáze je aktivní")},
        {QStringLiteral("SBD1"), QStringLiteral("Standardní databáze")},
        {QStringLiteral("SBD2"), QStringLiteral("Volitelná databáze 1")},
        {QStringLiteral("SBD3"), QStringLiteral("Volitelná databáze 2")},
        {QStringLiteral("SBD4"), QStringLiteral("Volitelná databáze 3")},
    };
    return meaning.value(name);
}

QLabel *picture(QWidget *parent, const QString &name, int x, int y)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setAccessibleName(pictureMeaning(name));
    const QPixmap pm = indicatorPicture(name);
    l->setPixmap(pm);
    l->setGeometry(x, y, pm.width(), pm.height());
    return l;
}

} // namespace

StatusPanels::StatusPanels(QMenu *contextMenu, QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StavovyRadek"));
    setStatusTip(QStringLiteral("Stiskněte klávesu F1 pro nápovědu"));
    setFixedHeight(22);
    setSizeGripEnabled(false);
    setFont(widgets::serifFont(13));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, contextMenu](const QPoint &pos) { contextMenu->popup(mapToGlobal(pos)); });

    // The strip ignores its panels' widths, so the bar never grows to hold
    // them and the last panel is cut off instead.
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("Panels"));
    strip->setMinimumSize(0, 20);
    strip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    addWidget(strip, 1);
    int nextLeft = 0;
    auto panel = [strip, &nextLeft](const char *name, int width) {
        auto *f = new QFrame(strip);
        f->setObjectName(QLatin1String(name));
        f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setGeometry(nextLeft, 0, width, 20);
        nextLeft += width + 2;
        return f;
    };

    QFrame *p0 = panel("Panel0", 500);
    picture(p0, QStringLiteral("Image1"), 2, 1);
    m_hint = new QLabel(SixBlanks, p0);
    m_hint->setObjectName(QStringLiteral("HintText"));
    m_hint->setGeometry(20, 0, 478, 20);

    QFrame *p1 = panel("Panel1", 22);
    for (int i = 1; i <= 10; ++i) {
        const QString name = QStringLiteral("SBO%1").arg(i);
        QLabel *l = picture(p1, name, 3, 2);
        l->hide();
        m_indicators.insert(name, l);
    }

    QFrame *p2 = panel("Panel2", 150);
    m_catalogue = new QLabel(p2);
    m_catalogue->setObjectName(QStringLiteral("CatalogueText"));
    m_catalogue->setGeometry(2, 0, 146, 20);
    for (int i = 1; i <= 4; ++i) {
        const QString name = QStringLiteral("SBD%1").arg(i);
        QLabel *l = picture(p2, name, 3, 2);
        l->hide();
        m_indicators.insert(name, l);
    }

    // The hint handler: the hints of every window of the program.
    qApp->installEventFilter(this);
}

StatusPanels::~StatusPanels()
{
    qApp->removeEventFilter(this);
}

void StatusPanels::showHint(const QString &hint)
{
    m_hint->setText(SixBlanks + hint);
}

QString StatusPanels::hintText() const
{
    return m_hint->text();
}

QString StatusPanels::catalogueText() const
{
    return m_catalogue->text();
}

void StatusPanels::setCatalogueText(const QString &text)
{
    m_catalogue->setText(text);
}

void StatusPanels::setIndicatorVisible(const QString &name, bool visible)
{
    if (QLabel *l = m_indicators.value(name))
        l->setVisible(visible);
}

bool StatusPanels::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QStatusBar::eventFilter(watched, event);
}

} // namespace app
