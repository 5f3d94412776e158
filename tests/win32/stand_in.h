#pragma once

// The stand-in program (stand_in_program.cpp), built beside the tests, takes the place of the
// programs they start and reports how it was started.

#include <optional>
#include <string>

namespace StandIn {

// The stand-in as built, beside the running test; copies of it report under their own names.
std::string builtPath();

// ANSI text widened as the system widens it, for the file functions of the standard library.
std::wstring wide(const std::string &ansi);

// What the copy of the stand-in at `program` reports once it has run: its command line, "\n" and
// its show command. Nothing after a wait far longer than Wine ever takes to start a program.
std::optional<std::string> reportOfRun(const std::string &program);

} // namespace StandIn
