#pragma once

#include <QString>

namespace ludra {

// The folder whose files lie "beside the executable": reference files, the
// skill increase file, options and language files. By default the folder of
// the running executable; tests and tools point it elsewhere.
QString BaseDir();
void SetBaseDir(const QString &dir);

// The full path of a file in the base folder.
QString BesideExe(const QString &fileName);

} // namespace ludra
