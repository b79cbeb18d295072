#pragma once

#include <QString>
#include <QStringList>

namespace ludra {

// Where Ludra's files are. Decided once at start-up by where the program
// lives, never by which of its files happen to be there:
// - installed: the install's data folder (share/ludra beside the executable's
//   bin folder) holds any of the files installing puts there, or the program
//   was built for installation; the shipped files are read from that folder
//   and the files Ludra writes go to the user's data folder, where a
//   reference file of the user's own is read instead of the shipped one;
// - portable: otherwise (the build tree, an unpacked folder); every file lies
//   beside the executable, also when one of them is missing.
struct FileLayout {
    bool portable = true;
    QString dataDir;  // the shipped reference files, the help, the example language file
    QString userDir;  // the files Ludra writes; the user's own reference files
    QString problem;  // why the user's folder cannot be used; empty when it can
};

// The files installing puts into the install's data folder.
const QStringList &InstalledDataFiles();

// The rule itself, on given folders (builtForInstallation: the program was
// built to be installed, so it is installed wherever it lies). Creates the
// user's folder of an installed layout when it is missing; says in problem
// when the folder for the user's files (the executable's, when portable)
// cannot be used.
FileLayout ResolveLayout(const QString &exeDir, const QString &userDir, bool builtForInstallation = false);

// The user's data folder of the running program: the application data
// folder of the window ("Ludra" under the user's data folder), shared by
// ludra-batch.
QString DefaultUserDir();

// The layout in use: resolved from the running executable on first use,
// or the one SetBaseDir chose.
const FileLayout &CurrentLayout();

// Uses the given layout from now on (tests).
void SetLayout(const FileLayout &layout);

// Makes the layout portable at dir (tests, ludra-batch --data); an empty dir
// goes back to the rule.
void SetBaseDir(const QString &dir);

// The folder of the shipped reference files in use.
QString BaseDir();

// The path to read a shipped file from: the user's own copy when the layout
// is installed and the user's folder holds one, otherwise the shipped one.
QString ReferenceFile(const QString &fileName);

// The path of a file Ludra writes (and reads back).
QString UserFile(const QString &fileName);

} // namespace ludra
