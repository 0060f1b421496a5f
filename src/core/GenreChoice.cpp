#include "GenreChoice.h"

namespace core {

void GenreChoice::setGenre(const QString &genre)
{
    const QString value = genre == allCaption() ? QString() : genre;
    if (value == m_genre)
        return;
    m_genre = value;
    emit changed();
}

} // namespace core
