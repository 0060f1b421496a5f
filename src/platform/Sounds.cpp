#include "Sounds.h"

#include "FileRules.h"

#include <QSoundEffect>
#include <QUrl>

namespace platform {

Sounds::Sounds(const ProgramDirectory &dir, QObject *parent)
    : QObject(parent)
    , m_dir(dir)
{
}

Sounds::~Sounds() = default;

QString Sounds::resolve(const QString &fileName) const
{
    return presenceTest(fileName, m_dir.soundDir());
}

void Sounds::play(const QString &fileName)
{
    const QString path = resolve(fileName);
    if (path.isEmpty())
        return; // no such sound: silence
    if (!m_effect)
        m_effect = new QSoundEffect(this);
    // A new sound cuts off the one still playing. Loading and playing run
    // asynchronously; with no audio device the effect stays silent.
    m_effect->stop();
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_effect->source() != url)
        m_effect->setSource(url);
    m_effect->play();
}

} // namespace platform
