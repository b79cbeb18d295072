#pragma once

#include <QStringList>

namespace ludra {

// The exit statuses of ludra-batch.
namespace BatchExit {
inline constexpr int Success = 0;
// A file that cannot be read or written, or a build its data ends.
inline constexpr int FileError = 1;
// Arguments the tool does not understand.
inline constexpr int UsageError = 2;
} // namespace BatchExit

// Runs the command line of ludra-batch (the arguments after the program's
// name): "build", "plan", "streams" or "check", or the tool's help and version.
// Results go to standard output or a file, messages to standard error.
// Returns the exit status.
int RunBatch(const QStringList &arguments);

} // namespace ludra
