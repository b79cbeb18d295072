#pragma once

#include <QString>

namespace ludra {

// Where Ludra's files are. Decided once at start-up by one rule:
// - portable: the executable's folder holds "data.csv" and is writable;
//   every file lies beside the executable;
// - installed: otherwise; the shipped files are read from the install's data
//   folder (share/ludra beside the executable's bin folder) and the files
//   Ludra writes go to the user's data folder, where a reference file of the
//   user's own is read instead of the shipped one.
struct FileLayout {
    bool portable = true;
    QString dataDir;  // the shipped reference files, the help, the example language file
    QString userDir;  // the files Ludra writes; the user's own reference files
    QString problem;  // why the user's folder cannot be used; empty when it can
};

// The rule itself, on given folders: creates the user's folder of an
// installed layout when it is missing, and says in problem when it cannot.
FileLayout ResolveLayout(const QString &exeDir, const QString &userDir);

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
