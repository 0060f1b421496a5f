#pragma once

#include "ProgramDirectory.h"

#include <QObject>
#include <QString>

class QSoundEffect;

namespace platform {

// Plays the program's wave files from Zvuky/ without waiting: a new sound
// cuts off the one still playing. A missing file or no audio device is
// silence, never an error.
class Sounds : public QObject
{
    Q_OBJECT
public:
    explicit Sounds(const ProgramDirectory &dir, QObject *parent = nullptr);
    ~Sounds() override;

    void play(const QString &fileName);

    // The file play() would use, or empty when it is not there.
    QString resolve(const QString &fileName) const;

private:
    ProgramDirectory m_dir;
    QSoundEffect *m_effect = nullptr; // made at the first sound that exists
};

} // namespace platform
