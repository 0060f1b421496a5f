#pragma once

// The tips of the day that the build writes into TIPYG.DBF, in the order
// the program shows them. Each fits the 254 characters of TIPDNE.

#include <QStringList>

QStringList tipsOfTheDay();
