#pragma once

#include "reports/printsettings.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace ludra {

// The print settings the user saved for each grid, kept across starts in a
// file of their own among the files Ludra writes, beside the options file:
// one section a grid, named by the grid ("[grdReqs]"), of "Name=value"
// lines, in UTF-8 so that a title keeps whatever characters were typed.
inline const QString PrintSettingsFileName = QStringLiteral("printing.ini");

// The settings of each of the grids that the text has a section for, each
// marked as the user's choice. A setting missing, unreadable or out of
// range takes its default; section names match without regard to case.
QHash<QString, PrintSettings> PrintSettingsFromText(const QByteArray &text, const QStringList &grids);
// The file's text for the grids' settings, in the order given.
QByteArray PrintSettingsText(const QList<QPair<QString, PrintSettings>> &grids);

// The file read: nothing when it is missing or cannot be read.
QHash<QString, PrintSettings> ReadPrintSettingsFile(const QString &path, const QStringList &grids);
// Writes the file whole or not at all; throws EStreamError with the file's
// name and the reason when it cannot be written, leaving any old file whole.
void WritePrintSettingsFile(const QString &path, const QList<QPair<QString, PrintSettings>> &grids);

} // namespace ludra
