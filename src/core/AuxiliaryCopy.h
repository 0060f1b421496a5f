#pragma once

// The auxiliary table (VazonI) is a scratch copy of one catalogue that the
// searches and the reports read: every book with a title, its first 15
// fields, no binding. These are the data steps of its build; the windows
// that show the build's progress sit above.

#include "dbase/Table.h"

#include <functional>

namespace core {

// The records of the catalogue's current view whose title NAZEV is not blank.
int countTitledBooks(dbase::Table &catalogue);

// Appends every titled record of the catalogue, from its first to its last
// in its current order, to the open auxiliary table: the 15 shared fields
// (those of them the auxiliary table has) carried over through their text
// form, an empty value staying empty.
// The records form one batch append of the auxiliary table, committed at
// the end with its index: a failure or a kill adds none of them.
// step(n) is called after the n-th record is posted. Returns the number of
// records copied. Leaves the catalogue on its last record. Throws
// dbase::Error when the auxiliary table refuses a record or the batch
// cannot be committed.
int copyTitledBooks(dbase::Table &catalogue, dbase::Table &auxiliary,
                    const std::function<void(int copied)> &step = {});

} // namespace core
