#pragma once

// The search copy (Table5, VazonI): the titled books of one catalogue, which
// the searches, the author picker and the reports read. This class is its one
// owner: whoever reads the copy takes it from here, read afresh and with no
// filter left on by an earlier reader, and every report gives it back here
// however it ended (preview, print, a refused print, a failure).

namespace dbase {
class Table;
}

namespace core {

class AppSettings;
class DataModule;
class Shell;

class SearchCopy
{
public:
    explicit SearchCopy(DataModule &data);

    // The copy as it stands, open or not (the results window follows its
    // hits in it).
    dbase::Table &table() const;

    // The copy read afresh from its files (it may have been rebuilt since it
    // was last read), without a filter, in its default order. Throws
    // dbase::Error when its files are missing or damaged.
    dbase::Table &reopen();

    // Switches off any filter a reader set (a genre, an author), whether
    // the copy is open or not. Never throws: a copy that cannot even be
    // unfiltered is closed, and the next reopen reports what is wrong.
    void release() noexcept;

    // Builds the copy anew from the catalogue of slot 1..4, with the progress
    // window InfoNajitDialog up meanwhile (the main window disabled). The
    // new copy is laid out beside the old one, which stays in use until the
    // new one is complete. On success writes [Kontrola] Pomocna = slot and
    // returns true. On failure the progress window goes, the main window
    // takes input again, the program's error box tells why, the marker
    // keeps its old value and the result is false.
    bool rebuild(int slot, AppSettings &settings, Shell &shell);

private:
    DataModule &m_data;
};

} // namespace core
