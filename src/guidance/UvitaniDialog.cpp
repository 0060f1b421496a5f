#include "UvitaniDialog.h"

#include "NapovedaDialog.h"
#include "DialogFont.h"
#include "PomocnikDialog.h"

#include "core/Shell.h"
#include "core/SuiteSettings.h"
#include "platform/Launcher.h"
#include "widgets/DialogParts.h"
#include "widgets/OfficeLabel.h"
#include "widgets/DialogKeys.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

namespace guidance {

namespace {

const QString WelcomeIndicator = QStringLiteral("SBO8");

} // namespace

UvitaniDialog::UvitaniDialog(core::Shell &shell, core::SuiteSettings &suite,
                             const platform::ProgramDirectory &dir, PomocnikDialog &assistant,
                             QWidget *parent)
    : widgets::BalloonWindow(parent, widgets::BalloonPosition::BottomRight)
    , m_shell(shell)
    , m_suite(suite)
    , m_dir(dir)
    , m_assistant(assistant)
{
    widgets::setUpBalloon(this, {.objectName = QStringLiteral("UvitaniDialog"),
                                 .title = QStringLiteral("Pomocník Tessera"),
                                 .size = QSize(DialogWidth, DialogHeight),
                                 .host = &m_shell,
                                 .indicator = WelcomeIndicator});
    setFont(dialogFont(font()));
    m_startManual = [this] { platform::launchManual(m_dir); };

    const int left = 12;
    const int column = DialogWidth - 2 * left;
    auto *line1 = new QLabel(QStringLiteral("Pomocník Tessera je připraven poradit Vám v nesnázích."), this);
    auto *line2 = new QLabel(QStringLiteral("Stačí si pouze vybrat, jakou pomoc potřebujete."), this);
    QFont bold = line1->font();
    bold.setBold(true);
    line1->setFont(bold);
    line2->setFont(bold);
    line1->setGeometry(left, 6, column, 16);
    line2->setGeometry(left, 21, column, 16);
    for (QLabel *line : {line1, line2})
        line->setFont(fittingFont(line->font(), line->text(), line->size(), false));

    auto makeLink = [this, left, column](const char *name, const QString &caption, int y) {
        auto *link = new widgets::OfficeLabel(caption, this);
        link->setObjectName(QLatin1String(name));
        link->setGeometry(left, y, column, 17);
        link->setFont(fittingFont(dialogFont(link->font()), caption, link->textRect().size(), false));
        return link;
    };
    m_helpList = makeLink("OfficeLabel2",
                          QStringLiteral("Zobrazit úplný seznam témat nápovědy programu Ordex 2000"), 42);
    m_manual = makeLink("OfficeLabel3",
                        QStringLiteral("Spustit elektronický manuál programu Ordex 2000"), 60);
    m_start = makeLink("OfficeLabel4", QStringLiteral("Začít pracovat s programem Ordex 2000"), 78);
    connect(m_helpList, &widgets::OfficeLabel::clicked, this, &UvitaniDialog::OfficeLabel2Click);
    connect(m_manual, &widgets::OfficeLabel::clicked, this, &UvitaniDialog::OfficeLabel3Click);
    connect(m_start, &widgets::OfficeLabel::clicked, this, &UvitaniDialog::OfficeLabel4Click);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(left, 98, column, 2);

    m_showAtStart = new QCheckBox(QStringLiteral("Zobrazit tento dialog při každém spuštění programu"), this);
    m_showAtStart->setObjectName(QStringLiteral("CheckBox1"));
    m_showAtStart->setGeometry(left, 103, column, 18);
    const int box = m_showAtStart->sizeHint().width()
        - m_showAtStart->fontMetrics().horizontalAdvance(m_showAtStart->text());
    m_showAtStart->setFont(fittingFont(m_showAtStart->font(), m_showAtStart->text(),
                                       QSize(column - box, 18), false));
    m_showAtStart->setChecked(false);
    // Enter and Escape start work, also while the check box has the focus.
    widgets::bindDialogKeys(this, {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter},
                            [this] { OfficeLabel4Click(); });
}

void UvitaniDialog::setHelpDialog(NapovedaDialog *help)
{
    m_help = help;
}

void UvitaniDialog::setManualEnabled(bool enabled)
{
    m_manual->setEnabled(enabled);
}

bool UvitaniDialog::manualEnabled() const
{
    return m_manual->isEnabled();
}

void UvitaniDialog::setManualStarter(std::function<void()> starter)
{
    m_startManual = std::move(starter);
}

void UvitaniDialog::setShowAtStart(bool ticked)
{
    m_showAtStart->setChecked(ticked);
}

bool UvitaniDialog::showAtStart() const
{
    return m_showAtStart->isChecked();
}

void UvitaniDialog::leave()
{
    try {
        m_suite.setWelcomeAtStart(m_showAtStart->isChecked());
    } catch (...) {
        // An unwritable Tessera.ini is reported, but the dialog still goes
        // so that the main window is usable again.
        m_shell.setMainWindowEnabled(true);
        close();
        throw;
    }
    m_shell.setMainWindowEnabled(true);
    close();
}

void UvitaniDialog::OfficeLabel2Click()
{
    leave();
    if (m_help) {
        m_help->showTopicList();
        m_help->placeAndShow();
    }
}

void UvitaniDialog::OfficeLabel3Click()
{
    if (m_startManual)
        m_startManual();
}

void UvitaniDialog::OfficeLabel4Click()
{
    leave();
}

void UvitaniDialog::FormShow()
{
    if (m_suite.welcomeAtStart())
        m_showAtStart->setChecked(true);
    // Above the assistant, the pointer at its head.
    move(m_assistant.x() + m_assistant.width() - width() - 38,
         m_assistant.y() - height() + 30);
}

void UvitaniDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    widgets::BalloonWindow::showEvent(event);
}

void UvitaniDialog::engageHost()
{
    m_shell.setIndicatorVisible(WelcomeIndicator, true);
    m_shell.setMainWindowEnabled(false);
}

void UvitaniDialog::releaseHost()
{
    m_shell.setIndicatorVisible(WelcomeIndicator, false);
    m_shell.setMainWindowEnabled(true);
}

} // namespace guidance
