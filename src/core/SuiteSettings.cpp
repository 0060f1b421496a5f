#include "SuiteSettings.h"

namespace core {

namespace {

const QString Section = QStringLiteral("Nastaveni");
const QString AssistantKey = QStringLiteral("Pomocnik");
const QString WelcomeKey = QStringLiteral("Uvitani");

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SuiteSettings::SuiteSettings(const platform::ProgramDirectory &dir)
    : m_ini(dir.file(QStringLiteral("Tessera.ini")))
{
}

bool SuiteSettings::assistantShown() const
{
    return m_ini.readString(Section, AssistantKey) == QLatin1String("1");
}

void SuiteSettings::setAssistantShown(bool shown)
{
    m_ini.writeString(Section, AssistantKey, flag(shown));
}

bool SuiteSettings::welcomeAtStart() const
{
    return m_ini.readString(Section, WelcomeKey) == QLatin1String("1");
}

void SuiteSettings::setWelcomeAtStart(bool show)
{
    m_ini.writeString(Section, WelcomeKey, flag(show));
}

QString SuiteSettings::path() const
{
    return m_ini.path();
}

} // namespace core
