#pragma once

// The records a report lists, walked forward in their order. A position taken
// during the walk brings the walk back to that record later, so that any page
// can be painted without walking the pages before it.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace reportengine {

class RecordSource
{
public:
    using Position = std::uint64_t;

    virtual ~RecordSource() = default;

    // Goes to the first record; false when there is none.
    virtual bool first() = 0;
    // Goes to the next record; false when the last one was passed.
    virtual bool next() = 0;
    virtual Position position() const = 0;
    virtual void seek(Position position) = 0;
    // The text of a field of the current record (trailing blanks dropped).
    virtual QString text(const QString &field) const = 0;
    // A value that is equal for two records exactly when the field's text
    // is: what a group header compares. The text unless a source knows better.
    virtual QByteArray key(const QString &field) const { return text(field).toUtf8(); }
};

} // namespace reportengine
