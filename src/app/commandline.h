#pragma once

#include <QStringList>

#include <optional>

namespace ludra {

// The command line of the window program: "ludra [FILE.lud...]", with
// --help and --version.

// Answers --help (-h) and --version (-v) on standard output, before any
// window is made, so that neither needs a display: the exit status when the
// arguments ask for either, nothing otherwise (the window starts).
std::optional<int> AnswerInfoOptions(int argc, char *argv[]);

// The project files the arguments name, in order, once the toolkit has taken
// its own options (-platform, -style, ...) out of them. An option Ludra does
// not know is said on standard error and passed over: the window opens all
// the same.
QStringList ProjectArguments(const QStringList &arguments);

} // namespace ludra
