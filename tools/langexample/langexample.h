#pragma once

#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

namespace ludra {
class Prompter;
}

// Writes the example language file: every text a language file can replace,
// with the text the program has built in.
namespace langexample {

// The file's name, as shipped beside the executable.
inline constexpr const char *FileName = "english.ini.example";

// Makes the fourteen windows that apply the language file, the main window
// first: it opens the language file from the base folder, and the others
// apply what it opened. A QApplication must exist.
std::vector<std::unique_ptr<QWidget>> MakeWindows(ludra::Prompter &prompter);

// The lines of the example file: a comment header, "SETTINGS" with an empty
// font and character set 0, one section per window with every key of
// LangKeys and its built-in text, and "Misc" with every message. Creates each
// window with no language file and no reference files (a QApplication must
// exist); the base folder is the same afterwards.
QStringList ExampleLines();

// Writes the lines to a file with CR LF line ends; throws ludra::Exception
// with the reason when it cannot.
void WriteExample(const QString &path);

} // namespace langexample
