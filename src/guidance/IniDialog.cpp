#include "IniDialog.h"

#include "core/AppSettings.h"
#include "core/Shell.h"
#include "widgets/Balloon.h"

namespace guidance {

namespace {

widgets::BalloonSpec restoreQuestion()
{
    widgets::BalloonSpec spec;
    spec.objectName = QStringLiteral("IniDialog");
    spec.text = QStringLiteral("Opravdu chcete obnovit nastavení v *.INI souboru ?");
    spec.kind = widgets::Balloon::Question;
    spec.size = QSize(IniDialog::DialogWidth, IniDialog::DialogHeight);
    spec.yesCaption = QStringLiteral("Ano");
    spec.yesHint = QStringLiteral("Obnoví nastavení v *.INI souboru a uzavře dialogové okno");
    spec.noCaption = QStringLiteral("Ne");
    spec.noHint = QStringLiteral("Uzavře dialogové okno bez obnovení v *.INI souboru");
    spec.windowHint = QStringLiteral("Dotaz");
    spec.enterKey = widgets::Balloon::KeyAction::Accept;
    spec.escapeKey = widgets::Balloon::KeyAction::Reject;
    spec.position = widgets::BalloonPosition::RightTop;
    return spec;
}

} // namespace

IniDialog::IniDialog(core::Shell &shell, core::AppSettings &settings, QObject *parent)
    : QObject(parent)
    , m_shell(shell)
    , m_settings(settings)
{
    auto *balloon = new widgets::Balloon(restoreQuestion());
    balloon->setHost(&m_shell);
    // No catalogue window is active while the command is available.
    balloon->setCatalogueIndicatorOnClose(widgets::BalloonWindow::CatalogueIndicator::Hide);
    connect(balloon, &widgets::Balloon::accepted, this, &IniDialog::restore);
    m_window = balloon;
}

IniDialog::~IniDialog()
{
    delete m_window;
}

QWidget *IniDialog::window() const
{
    return m_window;
}

void IniDialog::MN5Click()
{
    m_shell.placeBesideAssistant(m_window);
}

void IniDialog::OfficeButton1Click()
{
    static_cast<widgets::Balloon *>(m_window)->accept();
}

void IniDialog::OfficeButton2Click()
{
    static_cast<widgets::Balloon *>(m_window)->reject();
}

void IniDialog::restore()
{
    try {
        m_settings.restoreFactoryValues();
    } catch (...) {
        // The failure is reported; the balloon must not stay up holding the
        // main window disabled.
        m_window->close();
        throw;
    }
    emit restored();
}

} // namespace guidance
