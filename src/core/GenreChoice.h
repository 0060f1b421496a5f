#pragma once

// The genre ticked in the main window's genre menu, which the two book lists
// read before they run. Not saved: every start begins with every genre.

#include <QObject>
#include <QString>

namespace core {

class GenreChoice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The caption of the menu's first item.
    static QString allCaption() { return QStringLiteral("Všechny druhy"); }

    // The ticked genre; empty for "Všechny druhy".
    QString genre() const { return m_genre; }
    // "Všechny druhy" or the genre.
    QString caption() const { return m_genre.isEmpty() ? allCaption() : m_genre; }
    // An empty text or allCaption() tick "Všechny druhy".
    void setGenre(const QString &genre);

signals:
    void changed();

private:
    QString m_genre;
};

} // namespace core
