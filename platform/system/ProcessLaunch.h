// Starting other programs: the desktop's web browser, console programs in a
// terminal window, and plain detached processes. Programs are started from
// argument lists, never through a shell, so no argument is ever
// interpreted.
#pragma once

#include <string>
#include <vector>

// Finds a program as a shell would: a name holding "/" as it is, any other name in the folders of
// $PATH. Returns the path of an executable file, or empty.
std::string FindProgram(const std::string& name);

// The command that opens address in the desktop's default web browser: the browser program and its
// arguments, with the address where the browser's description puts it (at the end when it names no
// place; left out when the address is empty). The browser is the first that resolves of: the commands
// in $BROWSER (":"-separated, "%s" standing for the address), the program of the desktop entry that
// `xdg-settings get default-web-browser` names, and xdg-open. Empty when there is none.
std::vector<std::string> WebBrowserCommand(const std::string& address);

// Starts argv[0] (found with FindProgram) with the arguments after it as a process of its own session
// that is never waited for. True when the program was started.
bool StartDetachedProcess(const std::vector<std::string>& argv);

// Starts a console program (for example {"telnet", address}) in a terminal window of its own:
// x-terminal-emulator, else the first common terminal emulator found on $PATH. False when there is no
// terminal emulator or it cannot be started.
bool StartInTerminal(const std::vector<std::string>& argv);
