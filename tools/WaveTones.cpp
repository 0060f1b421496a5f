#include "WaveTones.h"

#include <QtEndian>

#include <cmath>

namespace {

void appendLe16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void appendLe32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray synthesizeWave(const QList<ToneNote> &notes)
{
    QByteArray pcm;
    const double twoPi = 6.283185307179586;
    const double volume = 0.35 * 32767.0;
    const int fade = ToneSampleRate / 200; // 5 ms
    for (const ToneNote &note : notes) {
        const int count = note.milliseconds * ToneSampleRate / 1000;
        for (int i = 0; i < count; ++i) {
            double sample = 0.0;
            if (note.frequency > 0.0) {
                const double t = double(i) / ToneSampleRate;
                // A fundamental with a soft octave overtone, decaying like a bell.
                const double decay = std::exp(-3.0 * i / double(count));
                sample = (std::sin(twoPi * note.frequency * t)
                          + 0.25 * std::sin(twoPi * 2.0 * note.frequency * t)) / 1.25 * decay;
                double envelope = 1.0;
                if (i < fade)
                    envelope = double(i) / fade;
                else if (count - i < fade)
                    envelope = double(count - i) / fade;
                sample *= envelope;
            }
            appendLe16(pcm, quint16(qint16(std::lround(sample * volume))));
        }
    }

    QByteArray wave;
    wave.reserve(44 + pcm.size());
    wave.append("RIFF", 4);
    appendLe32(wave, quint32(36 + pcm.size()));
    wave.append("WAVEfmt ", 8);
    appendLe32(wave, 16);                  // fmt chunk size
    appendLe16(wave, 1);                   // PCM
    appendLe16(wave, 1);                   // mono
    appendLe32(wave, ToneSampleRate);
    appendLe32(wave, ToneSampleRate * 2);  // bytes per second
    appendLe16(wave, 2);                   // block align
    appendLe16(wave, 16);                  // bits per sample
    wave.append("data", 4);
    appendLe32(wave, quint32(pcm.size()));
    wave.append(pcm);
    return wave;
}

QList<NamedSound> programSounds()
{
    // Notes of the C major scale and around it.
    const double G4 = 392.00, A4 = 440.00, C5 = 523.25, D5 = 587.33, E5 = 659.25,
                 G5 = 783.99, C6 = 1046.50;
    return {
        // A command dialog opens: a short rising pair.
        {QStringLiteral("Dialog.wav"), synthesizeWave({{C5, 90}, {G5, 160}})},
        // A warning or a progress window: one clear tone.
        {QStringLiteral("Info.wav"), synthesizeWave({{A4, 220}})},
        // A question: rising, like a spoken question.
        {QStringLiteral("Dotaz.wav"), synthesizeWave({{E5, 110}, {0, 30}, {A4, 90}, {D5, 180}})},
        // A page of the side bar: a light click.
        {QStringLiteral("Lista.wav"), synthesizeWave({{C6, 60}})},
        // The assistant appears: an upward arpeggio.
        {QStringLiteral("PomocnikStart.wav"), synthesizeWave({{C5, 90}, {E5, 90}, {G5, 90}, {C6, 220}})},
        // The assistant leaves: the same downwards.
        {QStringLiteral("PomocnikKonec.wav"), synthesizeWave({{C6, 90}, {G5, 90}, {E5, 90}, {G4, 220}})},
    };
}
