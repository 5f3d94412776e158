#pragma once

#include "scenarios.h"

#include <ostream>

// The figures as Markdown tables: start-up, memory, idle cost, input latency, and each target
// of the program with how far it is met or missed.
void writeReport(const Results &results, const Options &options, std::ostream &out);
