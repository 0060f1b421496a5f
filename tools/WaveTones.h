#pragma once

// Short synthesized sounds of the program: 16-bit mono PCM wave files made
// from a few soft sine notes, so no recorded sound has to be shipped.

#include <QByteArray>
#include <QList>
#include <QString>

struct ToneNote
{
    double frequency; // Hz; 0 = a pause
    int milliseconds;
};

inline constexpr int ToneSampleRate = 22050;

// A complete RIFF/WAVE file of the notes played one after the other; each
// note fades in and out so nothing clicks.
QByteArray synthesizeWave(const QList<ToneNote> &notes);

struct NamedSound
{
    QString fileName; // "Dialog.wav"
    QByteArray wave;
};

// The six sounds of the Zvuky folder.
QList<NamedSound> programSounds();
