#pragma once

// Lays out a user's program directory from the files an install put in
// place (templates, sounds, factory settings, the empty tables), so that an
// installed program never writes below its install prefix.

#include <QString>

namespace platform {

// Makes target hold every file of installedFiles, in the same relative
// places, without replacing anything that is there:
//  - a missing target is filled under a temporary name beside it and then
//    renamed into place, so a failure (an unwritable or full disk) leaves no
//    half directory behind;
//  - an existing target (laid out by an older version) gets the files it
//    lacks, each written under a temporary name and renamed. A table in Data
//    whose .dbf is there keeps its own memo and index files: an empty one
//    never joins a table that has records.
// Throws platform::Error with a Czech message, after removing what it wrote.
void layOutFromInstalled(const QString &installedFiles, const QString &target);

} // namespace platform
