#include "Slots.h"

#include <array>
#include <stdexcept>

namespace core {

namespace {

const std::array<SlotInfo, SlotCount> &slotTable()
{
    // Slot 2 lends under "G1" but flags its borrowers in G2: the lending
    // codes and the address-book flags are numbered differently.
    static const std::array<SlotInfo, SlotCount> table{{
        {1, "Table1", "VazonS.dbf", "VazonS", "Databaze1Dialog", "Databaze1", "", "GS", "G1"},
        {2, "Table2", "Vazon1.dbf", "Vazon1", "Databaze2Dialog", "Databaze2", "Data1", "G1", "G2"},
        {3, "Table3", "Vazon2.dbf", "Vazon2", "Databaze3Dialog", "Databaze3", "Data2", "G2", "G3"},
        {4, "Table4", "Vazon3.dbf", "Vazon3", "Databaze4Dialog", "Databaze4", "Data3", "G3", "G4"},
    }};
    return table;
}

} // namespace

const SlotInfo &slotInfo(int slot)
{
    if (slot < 1 || slot > SlotCount)
        throw std::out_of_range("catalogue slot out of range");
    return slotTable()[slot - 1];
}

int slotOfWindowName(const QString &objectName)
{
    for (const SlotInfo &info : slotTable()) {
        if (info.windowName == objectName)
            return info.slot;
    }
    return 0;
}

QString standardCatalogueName()
{
    return QStringLiteral("Standardní databáze");
}

QString placeholderCatalogueName()
{
    return QString::fromUtf8(PlaceholderCatalogueName);
}

} // namespace core
