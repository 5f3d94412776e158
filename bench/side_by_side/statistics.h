#pragma once

#include <optional>
#include <vector>

// The p-th percentile (0 to 100) by nearest rank: a value that was measured, never one between
// two runs. Nothing when there are no values.
std::optional<double> percentile(std::vector<double> values, double p);

// The middle value; with an even count the mean of the two middle ones.
std::optional<double> median(std::vector<double> values);
