#pragma once

#include <QString>
#include <QStringList>

namespace kelvane {

// Turns a file-type filter of description and pattern pairs separated by "|"
// ("*.ELF (PS2 Executable File)|*.ELF") into Qt name filters. Each becomes
// "<description> (<patterns>)", where the patterns match names in any mix of
// upper and lower case ("*.ELF" becomes "*.[Ee][Ll][Ff]") and several patterns
// of one entry ("*.BMP;*.DIB") are separated by blanks. Shown with
// QFileDialog::HideNameFilterDetails, the dialog lists each description
// exactly as written, even one that holds parentheses itself. A description
// without a pattern gets "*".
QStringList toQtNameFilters(const QString& filter);

// "*.Elf" -> "*.[Ee][Ll][Ff]"; characters without case stay as they are.
QString anyCasePattern(const QString& pattern);

}  // namespace kelvane
