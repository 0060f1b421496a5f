#include "OptionalCatalogues.h"

#include "core/AppSettings.h"
#include "core/Slots.h"
#include "core/TableDefinitions.h"
#include "platform/Codepage1250.h"
#include "platform/Error.h"
#include "platform/FileRules.h"
#include "platform/KeptFiles.h"
#include "platform/ProgramDirectory.h"

namespace catalogue {

OptionalCatalogues::OptionalCatalogues(const platform::ProgramDirectory &dir, core::AppSettings &settings)
    : m_dir(dir)
    , m_settings(settings)
{
}

bool OptionalCatalogues::exists(int k) const
{
    return !platform::presenceTest(core::bookTableFile(k + 1), m_dir.dataDir()).isEmpty();
}

QString OptionalCatalogues::nameProblem(const QString &name)
{
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return QStringLiteral("Název databáze nesmí obsahovat konec řádku ani jiný řídicí znak.");
    }
    if (name.startsWith(QLatin1Char('[')))
        return QStringLiteral("Název databáze nesmí začínat znakem „[“.");
    for (const QChar c : name) {
        if (!platform::fitsCodepage1250(QString(c)))
            return QStringLiteral("Znak „%1“ nelze v názvu databáze uložit. Použijte prosím jiný.").arg(QString(c));
    }
    return {};
}

bool OptionalCatalogues::isMissingName(const QString &name)
{
    return name.isEmpty() || name == core::placeholderCatalogueName();
}

void OptionalCatalogues::confirmName(int k, const QString &name)
{
    const QString problem = nameProblem(name);
    if (!problem.isEmpty())
        throw platform::Error(problem);
    // The name goes in only once the files are there: a failed creation
    // leaves the catalogue as it was.
    if (!exists(k))
        platform::replaceWithTemplate(m_dir, core::slotInfo(k + 1).baseName);
    m_settings.setOptionalName(k, name);
}

void OptionalCatalogues::remove(int k)
{
    // The files go to a kept folder first; if that fails nothing changes.
    const QString name = m_settings.optionalName(k);
    platform::KeptFolder kept(m_dir, OptionalCatalogues::isMissingName(name) ? core::slotInfo(k + 1).baseName : name);
    platform::keepTableFiles(m_dir, core::slotInfo(k + 1).baseName, QString(), &kept);
    try {
        m_settings.setOptionalName(k, core::placeholderCatalogueName());
    } catch (...) {
        kept.undo();
        throw;
    }
    forgetSearchCopy(k + 1);
}

void OptionalCatalogues::eraseStandard()
{
    platform::KeptFolder kept(m_dir, core::standardCatalogueName());
    platform::keepTableFiles(m_dir, core::slotInfo(1).baseName, QString(), &kept);
    try {
        platform::replaceWithTemplate(m_dir, core::slotInfo(1).baseName);
    } catch (...) {
        kept.undo(); // the catalogue stays as it was
        throw;
    }
    forgetSearchCopy(1);
}

void OptionalCatalogues::forgetSearchCopy(int slot)
{
    // No search may list the books that are gone.
    if (m_settings.auxiliarySlot() == slot)
        m_settings.setAuxiliarySlot(0);
}

} // namespace catalogue
