#include "TipyDialog.h"

#include "DialogFont.h"
#include "PomocnikDialog.h"
#include "StartupGuidance.h"
#include "UvitaniDialog.h"
#include "ScreenCentre.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "core/SuiteSettings.h"
#include "dbase/Table.h"
#include "platform/FileRules.h"
#include "widgets/DialogKeys.h"
#include "widgets/Fonts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <qdrawutil.h>

#include <exception>

namespace guidance {

namespace {

const QColor LightYellow(255, 255, 224);
const QString TipsFileName = QStringLiteral("TIPYG.DBF");

// The light-yellow panel that holds the tip: a lowered outer and a raised
// inner bevel, with a light bulb at its top left.
class InfoPanel : public QWidget
{
public:
    explicit InfoPanel(QWidget *parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect all = rect();
        qDrawShadePanel(&p, all, palette(), true, 1);
        qDrawShadePanel(&p, all.adjusted(1, 1, -1, -1), palette(), false, 1);
        p.fillRect(all.adjusted(2, 2, -2, -2), LightYellow);

        // A light bulb, 32 x 40.
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(8, 8);
        p.setPen(QPen(QColor(120, 100, 20), 1.2));
        p.setBrush(QColor(255, 235, 90));
        p.drawEllipse(QRectF(4, 1, 24, 24));
        p.setBrush(QColor(255, 235, 90));
        p.drawRect(QRectF(11, 22, 10, 6));
        p.setBrush(QColor(160, 160, 170));
        p.drawRoundedRect(QRectF(10, 28, 12, 8), 2, 2);
        p.drawLine(QPointF(10, 31), QPointF(22, 31));
        p.drawLine(QPointF(10, 34), QPointF(22, 34));
        p.setPen(QPen(QColor(200, 120, 20), 1));
        p.drawLine(QPointF(13, 22), QPointF(15, 13));
        p.drawLine(QPointF(15, 13), QPointF(17, 17));
        p.drawLine(QPointF(17, 17), QPointF(19, 13));
        p.drawLine(QPointF(19, 13), QPointF(19, 22));
        p.setPen(QPen(Qt::white, 2));
        p.drawArc(QRectF(8, 5, 12, 12), 100 * 16, 70 * 16);
    }
};

} // namespace

TipyDialog::TipyDialog(core::Shell &shell, core::AppSettings &settings, core::SuiteSettings &suite,
                       const platform::ProgramDirectory &dir, dbase::Table *tips,
                       PomocnikDialog &assistant, UvitaniDialog &welcome, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_shell(shell)
    , m_settings(settings)
    , m_suite(suite)
    , m_dir(dir)
    , m_tips(tips)
    , m_assistant(assistant)
    , m_welcome(welcome)
{
    setObjectName(QStringLiteral("TipyDialog"));
    setWindowTitle(QStringLiteral("Tipy dne"));
    setFixedSize(ClientWidth, ClientHeight);
    setFont(dialogFont(font()));

    auto *panel = new InfoPanel(this);
    panel->setObjectName(QStringLiteral("InfoPanel"));
    panel->setGeometry(8, 34, 265, 129);

    auto *heading = new QLabel(QStringLiteral("Víte, že ..."), panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(48, 8, 200, 18);

    m_tip = new QLabel(panel);
    m_tip->setObjectName(QStringLiteral("TipText"));
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tip->setGeometry(48, 28, 209, 96);

    m_error = new QLabel(QStringLiteral("Databáze tipů pro tuto aplikaci je porušena, nebo není "
                                        "nainstalována. Z tohoto důvodu nemohou být tipy dne zobrazeny."),
                         panel);
    m_error->setObjectName(QStringLiteral("Label5"));
    m_error->setWordWrap(true);
    m_error->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_error->setGeometry(48, 28, 209, 96);
    m_error->hide();

    m_previous = new QPushButton(QStringLiteral("Předchozí tip"), this);
    m_previous->setObjectName(QStringLiteral("Button3"));
    m_previous->setGeometry(282, 34, 84, 25);
    m_next = new QPushButton(QStringLiteral("Další tip"), this);
    m_next->setObjectName(QStringLiteral("Button2"));
    m_next->setGeometry(282, 64, 84, 25);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(282, 128, 84, 2);

    m_close = new QPushButton(QStringLiteral("Zavřít"), this);
    m_close->setObjectName(QStringLiteral("Button1"));
    m_close->setGeometry(282, 138, 84, 25);

    m_showAtStart = new QCheckBox(QStringLiteral("Zobrazovat tento dialog při každém spuštění"), this);
    m_showAtStart->setObjectName(QStringLiteral("CheckBox1"));
    m_showAtStart->setGeometry(10, 166, 300, 18);
    m_showAtStart->setChecked(true);

    connect(m_previous, &QPushButton::clicked, this, &TipyDialog::Button3Click);
    connect(m_next, &QPushButton::clicked, this, &TipyDialog::Button2Click);
    connect(m_close, &QPushButton::clicked, this, &TipyDialog::Button1Click);

    // The tip follows the table's one cursor, whoever moves it.
    if (m_tips) {
        connect(m_tips, &dbase::Table::recordChanged, this, &TipyDialog::showCurrentTip);
        connect(m_tips, &dbase::Table::stateChanged, this, &TipyDialog::showCurrentTip);
    }
    // Escape closes the dialog whichever control has the focus.
    widgets::bindDialogKeys(this, {Qt::Key_Escape}, [this] { close(); });
    showCurrentTip();
}

void TipyDialog::nextTip(dbase::Table &tips)
{
    if (!tips.isActive())
        return;
    if (tips.eof())
        tips.first();
    else
        tips.next();
}

void TipyDialog::previousTip(dbase::Table &tips)
{
    if (!tips.isActive())
        return;
    if (tips.bof())
        tips.last();
    else
        tips.prior();
}

QString TipyDialog::currentTipText() const
{
    if (!m_tips || !m_tips->isActive() || m_tips->isEmpty())
        return QString();
    QString text = m_tips->fieldText(QStringLiteral("TIPDNE"));
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

void TipyDialog::showCurrentTip()
{
    m_tip->setText(currentTipText());
}

void TipyDialog::Button1Click()
{
    close();
}

void TipyDialog::Button2Click()
{
    if (m_tips)
        nextTip(*m_tips);
}

void TipyDialog::Button3Click()
{
    if (m_tips)
        previousTip(*m_tips);
}

void TipyDialog::FormShow()
{
    bool available = m_tips && !platform::presenceTest(TipsFileName, m_dir.dataDir()).isEmpty();
    if (available && !m_tips->isActive()) {
        try {
            m_tips->open();
        } catch (const std::exception &) {
            // A damaged tips file is reported like a missing one.
            available = false;
        }
    }
    m_next->setEnabled(available);
    m_previous->setEnabled(available);
    m_error->setVisible(!available);
    m_tip->setVisible(available);
    showCurrentTip();

    m_showAtStart->setChecked(m_settings.tipsAtStart());
    m_shell.setMainWindowEnabled(false);
}

void TipyDialog::FormClose()
{
    const bool assistantOn = m_suite.assistantShown();
    const bool welcomeOn = m_suite.welcomeAtStart();
    m_settings.setTipsAtStart(m_showAtStart->isChecked());
    const QString shownThisRun = m_settings.tipsShownThisRun();
    m_shell.setMainWindowEnabled(true);
    if (shownThisRun != QLatin1String("1"))
        runStartupGuidance(m_assistant, m_welcome, m_shell, assistantOn, welcomeOn);
    m_settings.setTipsShownThisRun(QStringLiteral("1"));
}

void TipyDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen(*this);
    FormShow();
}

void TipyDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    try {
        FormClose();
    } catch (...) {
        // A settings file that cannot be written must not leave the main
        // window disabled behind a dialog that cannot be closed.
        m_shell.setMainWindowEnabled(true);
        hide();
        throw;
    }
}

void TipyDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The raised double border.
    qDrawShadePanel(&p, rect(), palette(), false, 1);
    qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);

    // "Ordex" "2000" "vás vítá" across the top.
    p.setRenderHint(QPainter::TextAntialiasing);
    int x = 10;
    const int baseline = 26;
    const QFont big = widgets::serifFont(21, true);
    p.setFont(big);
    p.setPen(Qt::black);
    const QString ordex = QStringLiteral("Ordex ");
    p.drawText(x, baseline, ordex);
    x += QFontMetrics(big).horizontalAdvance(ordex);
    p.setPen(Qt::white);
    const QString year = QStringLiteral("2000 ");
    p.drawText(x, baseline, year);
    x += QFontMetrics(big).horizontalAdvance(year);
    p.setFont(widgets::serifFont(19, true));
    p.setPen(Qt::black);
    p.drawText(x, baseline, QStringLiteral("vás vítá"));
}

} // namespace guidance
