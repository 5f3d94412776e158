#pragma once

// The stand-in program (stand_in_program.cpp), built beside the tests, takes the place of the
// programs they start and reports how it was started.

#include <optional>
#include <string>

namespace StandIn {

// The stand-in as built, beside the running test; copies of it report under their own names.
std::string builtPath();

// A new folder for a test's copies of the stand-in, in the temporary folder and in the Windows
// form, named `name` and this process's number; empty when it cannot be made.
std::string makeFolder(const std::string &name);

// Removes the folder with all it holds. A copy of the stand-in that is still ending may hold its
// file: not a failure, the prefix goes anyway.
void removeFolder(const std::string &folder);

// ANSI text widened as the system widens it, for the file functions of the standard library.
std::wstring wide(const std::string &ansi);

// What the copy of the stand-in at `program` reports once it has run: its command line, "\n" and
// its show command. Nothing after a wait far longer than Wine ever takes to start a program.
std::optional<std::string> reportOfRun(const std::string &program);

} // namespace StandIn
