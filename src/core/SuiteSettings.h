#pragma once

// Tessera.ini, shared by all programs of the family: [Nastaveni] Pomocnik and
// Uvitani. Every access opens the file anew, so a value another program of
// the family wrote is seen at the next read.

#include "platform/IniFile.h"
#include "platform/ProgramDirectory.h"

#include <QString>

namespace core {

class SuiteSettings
{
public:
    explicit SuiteSettings(const platform::ProgramDirectory &dir);

    bool assistantShown() const; // Pomocnik == "1"
    void setAssistantShown(bool shown);
    bool welcomeAtStart() const; // Uvitani == "1"
    void setWelcomeAtStart(bool show);

    QString path() const;

private:
    platform::IniFile m_ini;
};

} // namespace core
