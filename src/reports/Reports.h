#pragma once

// The reports of the program: the four forms, the selection dialog with its
// sub-dialogs and the author picker, all made once at start. A preview or
// print command opens the selection for a catalogue; every report rebuilds
// the auxiliary table from that catalogue first, then runs.

#include "ReportForm.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace core {
class AppSettings;
class DataModule;
class GenreChoice;
class SharedPrinter;
class Shell;
}

namespace reports {

class Vysledek1Dialog;
class ReportRunner;
class NahledDialog;
class SubDialog;

struct ReportServices
{
    core::DataModule &data;
    core::AppSettings &settings;
    core::Shell &shell;
    core::GenreChoice &genre;
    core::SharedPrinter &printer;
};

class Reports : public QObject
{
    Q_OBJECT
public:
    explicit Reports(const ReportServices &services, QObject *parent = nullptr);
    ~Reports() override;

    // MS4/MS5 and the catalogue windows' MP0/MP01: the selection for slot
    // (a slot outside 1..4 keeps the one held before) in preview or print mode.
    void showSelection(int slot, bool preview);
    // "Nastavení tiskárny..." (MS9): the set-up of the shared printer that
    // "Tisk..." prints on, over parent; without a printer, the warning.
    void setUpPrinter(QWidget &parent);

    NahledDialog *selectionDialog() const { return m_selection.get(); }
    SubDialog *titleDialog() const { return m_title.get(); }
    SubDialog *numberDialog() const { return m_number.get(); }
    SubDialog *authorDialog() const { return m_author.get(); }
    Vysledek1Dialog *authorPicker() const { return m_picker.get(); }
    ReportForm &form(ReportKind kind);
    ReportRunner &runner() const { return *m_runner; }

signals:
    // A report has run (or failed) and the auxiliary table is unfiltered again.
    void reportFinished(reports::ReportKind kind);

private:
    void openBookList(SubDialog *dialog);
    void runBookList(ReportKind kind, ListDetail detail);
    void startAuthors();
    void runForm(ReportKind kind, const QString &mark);
    bool rebuild();
    void closeSelection();

    ReportServices m_services;
    ReportForm m_titleForm{ReportKind::Title};
    ReportForm m_numberForm{ReportKind::Number};
    ReportForm m_authorsForm{ReportKind::Authors};
    ReportForm m_authorForm{ReportKind::Author};
    std::unique_ptr<ReportRunner> m_runner;
    std::unique_ptr<NahledDialog> m_selection;
    std::unique_ptr<SubDialog> m_title;
    std::unique_ptr<SubDialog> m_number;
    std::unique_ptr<SubDialog> m_author;
    std::unique_ptr<Vysledek1Dialog> m_picker;
};

} // namespace reports
