#include "TableDefinitions.h"

#include <stdexcept>

namespace core {

namespace {

dbase::FieldDef text(const char *name, int length)
{
    return {QString::fromLatin1(name), 'C', length, 0};
}

// A number typed into an edit of at most `typed` characters. The widest
// such text is either all digits ("99999") or a point with digits after it
// (".1234"), so `typed` digits before and `typed - 1` after the point hold
// every value the edit accepts without rounding. `spare` more digits before
// the point take numbers that come in by import (a catalogue of 100,000).
dbase::FieldDef typedNumber(const char *name, int typed, int spare = 0)
{
    return {QString::fromLatin1(name), 'N', 2 * typed + spare, typed - 1};
}

dbase::FieldDef wholeNumber(const char *name, int length)
{
    return {QString::fromLatin1(name), 'N', length, 0};
}

dbase::FieldDef date(const char *name)
{
    return {QString::fromLatin1(name), 'D', 8, 0};
}

dbase::FieldDef logical(const char *name)
{
    return {QString::fromLatin1(name), 'L', 1, 0};
}

dbase::IndexTag tag(const char *name, const char *expression)
{
    return {QString::fromLatin1(name), QString::fromLatin1(expression)};
}

} // namespace

QString bookTableFile(int slot)
{
    switch (slot) {
    case 1: return QStringLiteral("VazonS.dbf");
    case 2: return QStringLiteral("Vazon1.dbf");
    case 3: return QStringLiteral("Vazon2.dbf");
    case 4: return QStringLiteral("Vazon3.dbf");
    }
    throw std::out_of_range("catalogue slot out of range");
}

QString addressBookFile(int n)
{
    switch (n) {
    case 1: return QString::fromLatin1(AddressBook1File);
    case 2: return QString::fromLatin1(AddressBook2File);
    }
    throw std::out_of_range("address book out of range");
}

QList<dbase::FieldDef> bookFields()
{
    QList<dbase::FieldDef> fields = auxiliaryFields();
    // One wider than the 10 the forms were drawn for: the binding list
    // offers "Rychlovazba", 11 letters, which must not be refused.
    fields.append(text("VAZBA", 11));
    return fields;
}

QList<dbase::FieldDef> auxiliaryFields()
{
    return {
        text("NAZEV", 50),
        text("AUTOR", 50),
        text("DRUH", 50),
        typedNumber("CISLO", 5, 1),  // N 11.4
        wholeNumber("ROK", 6),       // a 16-bit year: -32768 .. 32767
        typedNumber("STRANY", 5, 1), // N 11.4
        text("VYDAVATEL", 50),
        text("POZNAMKA", 254),
        text("PUJCENO", 10),
        date("DATUM"),
        text("ORIGINAL", 50),
        text("ILUSTRACE", 50),
        text("TISK", 50),
        text("VYDANI", 20),
        typedNumber("NAKLAD", 10),   // N 20.9, the widest number dBASE IV has
    };
}

QList<dbase::FieldDef> tipsFields()
{
    return {text("TIPDNE", 254)};
}

QList<dbase::FieldDef> lendingFields()
{
    return {
        text("JMENO", 50),
        text("PRIJMENI", 50),
        text("ULICE", 50),
        text("CISLO", 20),
        text("OBEC", 50),
        typedNumber("PSC", 10), // N 20.9, the card's edit takes 10 characters
        text("TELEFON", 20),
        date("DATUM"),
        text("ID", 20),
        text("PROGRAM", 10),
    };
}

QList<dbase::FieldDef> addressBookFields()
{
    return {
        text("PRIJMENI", 50),
        text("JMENO", 50),
        text("TITUL", 10),
        text("ULICE1", 50),
        text("ULICE2", 50),
        text("CISLO1", 20),
        text("CISLO2", 20),
        text("MESTO1", 50),
        text("MESTO2", 50),
        wholeNumber("PSC1", 6),
        wholeNumber("PSC2", 6),
        text("STAT1", 50),
        text("STAT2", 50),
        text("TELEFON1", 20),
        text("TELEFON2", 20),
        text("MOBIL1", 20),
        text("MOBIL2", 20),
        text("FAX1", 20),
        text("FAX2", 20),
        text("URL1", 50),
        text("URL2", 50),
        text("EMAIL1", 50),
        text("EMAIL2", 50),
        text("ZAMESTNANI", 50),
        text("POZNAMKA", 254),
        // Borrower flags of another program of the family.
        logical("F1"),
        logical("F2"),
        logical("F3"),
        logical("F4"),
        // Ours: one per catalogue slot.
        logical("G1"),
        logical("G2"),
        logical("G3"),
        logical("G4"),
        // Flags of the remaining programs of the family.
        logical("H1"),
        logical("H2"),
        logical("H3"),
        logical("H4"),
        logical("H5"),
        date("DATUM"),
        text("ZARAZENI", 50),
        text("INFO", 100),
    };
}

QList<dbase::IndexTag> bookTags()
{
    return {tag("CISLO", "CISLO"), tag("NAZEV", "NAZEV")};
}

QList<dbase::IndexTag> auxiliaryTags()
{
    return {
        tag("AUTOR", "AUTOR"),
        tag("CISLO", "CISLO"),
        tag("NAZEV", "NAZEV"),
        tag("ILUSTRACE", "ILUSTRACE"),
        tag("ORIGINAL", "ORIGINAL"),
        tag("VYDAVATEL", "VYDAVATEL"),
        tag("PUJCENO", "PUJCENO"),
        tag("AUTORNAZEV", "AUTOR+NAZEV"),
    };
}

QList<dbase::IndexTag> lendingTags()
{
    return {tag("ID", "ID")};
}

QList<dbase::IndexTag> addressBookTags()
{
    return {tag("PRIJMENI", "PRIJMENI")};
}

QStringList genres()
{
    return {
        QStringLiteral("Atlas"),
        QStringLiteral("Cestopis"),
        QStringLiteral("Červená knihovna"),
        QStringLiteral("Detektivní kniha"),
        QStringLiteral("Dětská kniha"),
        QStringLiteral("Dobrodružná kniha"),
        QStringLiteral("Drama"),
        QStringLiteral("Encyklopedie"),
        QStringLiteral("Erotická kniha"),
        QStringLiteral("Fantasy"),
        QStringLiteral("Foglarovka"),
        QStringLiteral("Historická kniha"),
        QStringLiteral("Horor"),
        QStringLiteral("Humorná kniha"),
        QStringLiteral("Katastrofická kniha"),
        QStringLiteral("Naučná kniha"),
        QStringLiteral("Pohádková kniha"),
        QStringLiteral("Přírodopisná kniha"),
        QStringLiteral("Sci-Fi"),
        QStringLiteral("Slovník"),
        QStringLiteral("Svázané časopisy"),
        QStringLiteral("Učebnice"),
        QStringLiteral("Válečná kniha"),
        QStringLiteral("Western"),
        QStringLiteral("Životopis"),
    };
}

QStringList editions()
{
    return {
        QStringLiteral("První"),
        QStringLiteral("Druhé"),
        QStringLiteral("Třetí"),
        QStringLiteral("Čtvrté"),
        QStringLiteral("Páté"),
        QStringLiteral("Šesté"),
        QStringLiteral("Sedmé"),
        QStringLiteral("Osmé"),
        QStringLiteral("Deváté"),
        QStringLiteral("Desáté"),
    };
}

QStringList bindings()
{
    return {
        QStringLiteral("Brožovaná"),
        QStringLiteral("Rychlovazba"),
        QStringLiteral("Vázaná"),
    };
}

} // namespace core
