#pragma once

#include <QStringList>

namespace kelvane {

// The families of `families` that this system has installed under that name,
// in the same order. Asking Qt for a face that is not installed costs a full
// fallback search through every installed font, so fonts that name several
// candidates are given only those that exist; the face Qt picks from the
// list is the same.
QStringList installedFamilies(const QStringList& families);

}  // namespace kelvane
