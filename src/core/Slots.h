#pragma once

// The slot table: the single place that maps a catalogue slot (1 = standard
// catalogue, 2..4 = optional catalogues 1..3) to its table, window, ini keys
// and codes.

#include <QString>

namespace core {

constexpr int SlotCount = 4;

struct SlotInfo
{
    int slot;
    QString tableObjectName; // "Table1"
    QString fileName;        // "VazonS.dbf"
    QString baseName;        // "VazonS"
    QString windowName;      // "Databaze1Dialog"
    QString openKey;         // [Otevreni] "Databaze1"
    QString nameKey;         // [Volitelne] "" for the standard catalogue, "Data1".."Data3"
    QString lendingCode;     // PROGRAM of the lending card: "GS", "G1", "G2", "G3"
    QString addressFlag;     // borrower flag in the address books: "G1".."G4"
};

// slot 1..4; anything else throws std::out_of_range.
const SlotInfo &slotInfo(int slot);
// The slot of a catalogue window's object name, 0 when it is none.
int slotOfWindowName(const QString &objectName);

// The fixed name of the standard catalogue.
QString standardCatalogueName();
// The name an optional catalogue carries while it does not exist.
inline constexpr char PlaceholderCatalogueName[] = "Uživatelsky definovatelná databáze programu Ordex";
QString placeholderCatalogueName();

} // namespace core
