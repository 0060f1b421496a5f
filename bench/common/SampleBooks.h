#pragma once

// Words the benchmarks build their books from: Czech titles, authors and
// publishers with every letter of the alphabet's háčky and čárky, so that
// orders and code page conversion work on realistic text.

#include <QRandomGenerator>
#include <QString>

namespace sample {

inline const char *const Adjectives[] = {"Tichý", "Zlatý", "Ztracený", "Poslední", "Bílý", "Tajemný", "Starý",
                                         "Černý", "Modrý", "Věčný", "Železný", "Šťastný", "Žlutý", "Čarovný"};
inline const char *const Nouns[] = {"dům", "les", "kůň", "příběh", "ostrov", "hrad", "poklad", "vrch", "sen",
                                    "mlýn", "čas", "přístav", "úsvit", "řád", "šíp", "žár"};
inline const char *const Tails[] = {"", " nad řekou", " v horách", " za mořem", " pod Řípem", " na Šumavě",
                                    " u Žižkova", " a jiné povídky", " – druhý díl", ""};
inline const char *const FirstNames[] = {"Karel", "Božena", "Jan", "Jaroslav", "Ota", "Věra", "Ludvík", "Alena",
                                         "Bohumil", "Zdeněk", "Jiří", "Eliška", "Řehoř", "Šárka", "Čeněk"};
inline const char *const Surnames[] = {"Čapek", "Němcová", "Neruda", "Hašek", "Pavel", "Linhartová", "Vaculík",
                                       "Mornštajnová", "Hrabal", "Svěrák", "Šotola", "Žáček", "Řezáč", "Dvořák",
                                       "Vančura", "Škvorecký", "Čech", "Chaloupka", "Horák", "Kundera"};
inline const char *const Illustrators[] = {"Josef Lada", "Jiří Trnka", "Zdeněk Burian", "Helena Zmatlíková",
                                           "Adolf Born", "Květa Pacovská"};
inline const char *const Publishers[] = {"Albatros", "Odeon", "Mladá fronta", "Československý spisovatel",
                                         "Argo", "Host", "Vyšehrad", "Práce"};
inline const char *const Printers[] = {"Tisk Brno", "Svoboda Praha", "Těšínská tiskárna", "Otava Kutná Hora"};

template <typename T, size_t N>
QString pick(QRandomGenerator &rng, const T (&list)[N])
{
    return QString::fromUtf8(list[rng.bounded(quint32(N))]);
}

inline QString title(QRandomGenerator &rng)
{
    return pick(rng, Adjectives) + QLatin1Char(' ') + pick(rng, Nouns) + pick(rng, Tails);
}

inline QString author(QRandomGenerator &rng)
{
    return pick(rng, FirstNames) + QLatin1Char(' ') + pick(rng, Surnames);
}

} // namespace sample
