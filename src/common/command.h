#pragma once

#include <functional>

namespace ludra {

class Prompter;

// The one error boundary of a command. Every handler of a menu item, button
// or other control runs its body through this: an error that ends the command
// (any ludra::Exception) is shown in the one error box with its message, an
// unexpected one (any other std::exception) likewise with a note that it was
// unexpected, and the program goes on. Nothing is thrown through Qt's signal
// and event code, which does not allow it. Returns whether the body ran to its
// end.
bool RunCommand(Prompter &prompter, const std::function<void()> &body);

} // namespace ludra
