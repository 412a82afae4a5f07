#pragma once

// A program built for the window has no console on Windows; started from one
// for the command line, it writes its lines and its status there too.
namespace Console {

void attachToParent();

} // namespace Console
