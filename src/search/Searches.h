#pragma once

// The search as the main window sees it: the find dialog, PomocnaDialog and
// the results window, created once, and the way from one to the next.

#include <QObject>

namespace core {
class AppSettings;
class DataModule;
class Shell;
} // namespace core

namespace search {

class NajitDialog;
class PomocnaDialog;
class VysledekDialog;

struct SearchServices
{
    core::DataModule &data;
    core::AppSettings &settings;
    core::Shell &shell;
};

class Searches : public QObject
{
    Q_OBJECT
public:
    explicit Searches(const SearchServices &services, QObject *parent = nullptr);
    ~Searches() override;

    NajitDialog *findDialog() const { return m_find; }
    PomocnaDialog *pomocnaDialog() const { return m_pomocna; }
    VysledekDialog *resultsDialog() const { return m_results; }

    // "Najít..." of the main window (TD9Click) and of a catalogue window
    // (MP7Click): the find dialog for slot 1..4 above the assistant. Any
    // other value searches the catalogue of the previous search; before the
    // first search there is none and nothing is shown.
    void showFindDialog(int slot);

private:
    void keyChosen(int k);
    void buildChosen();
    void searchChosen();

    SearchServices m_services;
    NajitDialog *m_find;
    PomocnaDialog *m_pomocna;
    VysledekDialog *m_results;
};

} // namespace search
