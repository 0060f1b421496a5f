#include "AppSettings.h"

#include "Slots.h"

#include <QFile>

#include <stdexcept>

namespace core {

namespace {

const QString View = QStringLiteral("Zobrazit");
const QString Open = QStringLiteral("Otevreni");
const QString Names = QStringLiteral("Volitelne");
const QString Check = QStringLiteral("Kontrola");
const QString Tips = QStringLiteral("Tipy");
const QString Auxiliary = QStringLiteral("Pomocna");

constexpr ViewElement AllViewElements[] = {ViewElement::Standardni, ViewElement::Databaze,
                                           ViewElement::Okna,       ViewElement::TipyDne,
                                           ViewElement::StavovyRadek, ViewElement::PanelOutlook};

QString nameKey(int n)
{
    if (n < 1 || n > SlotCount - 1)
        throw std::out_of_range("optional catalogue out of range");
    return slotInfo(n + 1).nameKey;
}

} // namespace

AppSettings::AppSettings(const platform::ProgramDirectory &dir)
    : m_ini(dir.file(QStringLiteral("Ordex2000.ini")))
{
}

QString AppSettings::keyOf(ViewElement element)
{
    switch (element) {
    case ViewElement::Standardni: return QStringLiteral("Standardni");
    case ViewElement::Databaze: return QStringLiteral("Databaze");
    case ViewElement::Okna: return QStringLiteral("Okna");
    case ViewElement::TipyDne: return QStringLiteral("TipyDne");
    case ViewElement::StavovyRadek: return QStringLiteral("StavovyRadek");
    case ViewElement::PanelOutlook: return QStringLiteral("PanelOutlook");
    }
    return {};
}

bool AppSettings::viewShown(ViewElement element) const
{
    return m_ini.readInteger(View, keyOf(element)) == 1;
}

void AppSettings::setViewShown(ViewElement element, bool shown)
{
    m_ini.writeInteger(View, keyOf(element), shown ? 1 : 0);
}

bool AppSettings::tipsAtStart() const
{
    return m_ini.readInteger(View, Tips) == 1;
}

void AppSettings::setTipsAtStart(bool show)
{
    m_ini.writeInteger(View, Tips, show ? 1 : 0);
}

bool AppSettings::catalogueOpen(int slot) const
{
    return m_ini.readInteger(Open, slotInfo(slot).openKey) == 1;
}

void AppSettings::setCatalogueOpen(int slot, bool open)
{
    if (open)
        m_ini.writeInteger(Open, slotInfo(slot).openKey, 1);
    else
        m_ini.writeString(Open, slotInfo(slot).openKey, QStringLiteral("0"));
}

QString AppSettings::optionalName(int n) const
{
    return m_ini.readString(Names, nameKey(n));
}

void AppSettings::setOptionalName(int n, const QString &name)
{
    m_ini.writeString(Names, nameKey(n), name);
}

int AppSettings::auxiliarySlot() const
{
    return m_ini.readInteger(Check, Auxiliary);
}

void AppSettings::setAuxiliarySlot(int slot)
{
    m_ini.writeInteger(Check, Auxiliary, slot);
}

QString AppSettings::tipsShownThisRun() const
{
    return m_ini.readString(Check, Tips);
}

void AppSettings::setTipsShownThisRun(const QString &value)
{
    m_ini.writeString(Check, Tips, value);
}

void AppSettings::restoreFactoryValues()
{
    // The order of the restore command; a refused write stops it there.
    for (const ViewElement element :
         {ViewElement::Standardni, ViewElement::Okna, ViewElement::Databaze, ViewElement::TipyDne,
          ViewElement::StavovyRadek, ViewElement::PanelOutlook})
        setViewShown(element, true);
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_ini.writeInteger(Open, slotInfo(slot).openKey, 0);
    setAuxiliarySlot(0);
}

void AppSettings::resetAtExit()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_ini.writeInteger(Open, slotInfo(slot).openKey, 0);
    setAuxiliarySlot(0);
    setTipsShownThisRun(QStringLiteral("0"));
}

void AppSettings::writeFactoryFile(const QString &path)
{
    QFile::remove(path);
    platform::IniFile ini(path);
    for (const ViewElement element : AllViewElements)
        ini.writeInteger(View, keyOf(element), 1);
    ini.writeInteger(View, Tips, 1);
    for (int slot = 1; slot <= SlotCount; ++slot)
        ini.writeInteger(Open, slotInfo(slot).openKey, 0);
    for (int n = 1; n < SlotCount; ++n)
        ini.writeString(Names, nameKey(n), placeholderCatalogueName());
    ini.writeInteger(Check, Auxiliary, 0);
    ini.writeString(Check, Tips, QStringLiteral("0"));
}

QString AppSettings::path() const
{
    return m_ini.path();
}

} // namespace core
