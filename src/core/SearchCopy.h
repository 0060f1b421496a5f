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

class DataModule;

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

private:
    DataModule &m_data;
};

} // namespace core
