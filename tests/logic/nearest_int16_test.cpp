#include "logic/nearest_int16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

TEST(NearestInt16, RoundsHalvesToEvenAndRefusesWhatIsOutsideSixteenBits)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, std::optional<int>> cases[] = {
        { 0.5, 0 },
        { 1.5, 2 },
        { 2.5, 2 },
        { 3.5, 4 },
        { -0.5, 0 },
        { -1.5, -2 },
        { 65.4, 65 },
        { 65.6, 66 },
        { 32767, 32767 },
        { 32767.4, 32767 },
        { 32767.5, std::nullopt },
        { 32768, std::nullopt },
        { -32768, -32768 },
        { -32768.5, -32768 },
        { -32768.6, std::nullopt },
        { 1e9, std::nullopt },
        { -1e9, std::nullopt },
        { inf, std::nullopt },
        { -inf, std::nullopt },
        { std::nan(""), std::nullopt },
    };
    for (const auto &[value, expected] : cases) {
        SCOPED_TRACE(value);
        const std::optional<std::int16_t> code = Numbers::nearestInt16(value);
        ASSERT_EQ(code.has_value(), expected.has_value());
        if (expected) {
            EXPECT_EQ(*code, *expected);
        }
    }
}

} // namespace
