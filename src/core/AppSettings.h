#pragma once

// The typed keys of Ordex2000.ini. Every access opens the file anew, so a
// value written by one window is seen by the next read. Integer keys count
// as on or open only when they read 1; a missing key reads as 0.

#include "platform/IniFile.h"
#include "platform/ProgramDirectory.h"

#include <QString>

namespace core {

// [Zobrazit] keys of the main window's elements.
enum class ViewElement { Standardni, Databaze, Okna, TipyDne, StavovyRadek, PanelOutlook };

class AppSettings
{
public:
    explicit AppSettings(const platform::ProgramDirectory &dir);

    static QString keyOf(ViewElement element); // "Standardni" ...

    bool viewShown(ViewElement element) const;       // [Zobrazit]
    void setViewShown(ViewElement element, bool shown);
    bool tipsAtStart() const;                        // [Zobrazit] Tipy
    void setTipsAtStart(bool show);
    bool catalogueOpen(int slot) const;              // [Otevreni] Databaze1..4
    void setCatalogueOpen(int slot, bool open);      // closing writes the text "0"
    QString optionalName(int n) const;               // [Volitelne] Data1..3, n = 1..3
    void setOptionalName(int n, const QString &name);
    int auxiliarySlot() const;                       // [Kontrola] Pomocna, 0 when none
    void setAuxiliarySlot(int slot);
    QString tipsShownThisRun() const;                // [Kontrola] Tipy, "1" or "0"
    void setTipsShownThisRun(const QString &value);

    // The restore command: the six view keys = 1, Databaze1..4 = 0, Pomocna = 0.
    void restoreFactoryValues();
    // A normal end of the program: Databaze1..4 = 0, Pomocna = 0, Kontrola Tipy = "0".
    void resetAtExit();

    // Writes every key with its factory value to a new file at path
    // (replacing one that is there). Used by the build.
    static void writeFactoryFile(const QString &path);

    QString path() const;

private:
    platform::IniFile m_ini;
};

} // namespace core
