#include "report.h"
#include "statistics.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(Statistics, PercentileIsAMeasuredValueByNearestRank)
{
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i)
        hundred.push_back(i);
    const struct
    {
        std::vector<double> values;
        double p;
        double expected;
    } cases[] = {
        { hundred, 50, 50 },
        { hundred, 99, 99 },
        { hundred, 100, 100 },
        { hundred, 0, 1 },
        { { 3, 1, 2, 4 }, 50, 2 },
        { { 7 }, 99, 7 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(percentile(c.values, c.p), c.expected) << "p" << c.p;
    EXPECT_FALSE(percentile({}, 50));
}

TEST(Statistics, MedianOfAnEvenCountIsTheMeanOfTheMiddleTwo)
{
    EXPECT_EQ(median({ 5, 1, 3 }), 3);
    EXPECT_EQ(median({ 4, 1, 3, 2 }), 2.5);
    EXPECT_FALSE(median({}));
}

TEST(ScreenRect, OnlyOverlappingPixelsIntersect)
{
    const ScreenRect box { 10, 10, 20, 20 };
    EXPECT_TRUE(box.intersects({ 29, 29, 5, 5 }));
    EXPECT_TRUE(box.intersects({ 0, 0, 100, 100 }));
    EXPECT_FALSE(box.intersects({ 30, 10, 5, 5 })) << "touching the right edge";
    EXPECT_FALSE(box.intersects({ 10, 0, 5, 10 })) << "touching the top edge";
}

TEST(Options, ScenariosAreChosenByPrefix)
{
    Options options;
    EXPECT_TRUE(options.wants("idle_about"));
    options.only = { "startup", "latency_code" };
    EXPECT_TRUE(options.wants("startup_first_run"));
    EXPECT_TRUE(options.wants("latency_code_to_char"));
    EXPECT_FALSE(options.wants("latency_char_to_code"));
    EXPECT_FALSE(options.wants("idle_status_bar"));
}

Series series(const char *name, std::initializer_list<double> values)
{
    Series result;
    for (double value : values)
        result.samples.push_back({ { name, value } });
    return result;
}

std::string reportOf(const Results &results)
{
    std::ostringstream out;
    writeReport(results, Options {}, out);
    return out.str();
}

TEST(Report, RatiosAreOfTheMediansAndTargetsSayByHowMuchTheyAreMissed)
{
    Results results;
    results["startup_main"]["program"] = series("frame_ms", { 30, 10, 20 });
    results["startup_main"]["reference"] = series("frame_ms", { 10, 12, 8 });
    results["startup_first_run"]["program"] = series("frame_ms", { 11.51 });
    results["startup_first_run"]["reference"] = series("frame_ms", { 10 });
    results["latency_char_to_code"]["program"].latenciesMs = { 1, 2, 40 };
    const std::string report = reportOf(results);

    EXPECT_NE(report.find("| Main window | n/a | 20.0 | 10.0 | 2.00 |"), std::string::npos)
        << report;
    EXPECT_NE(report.find("ratio <= 1.00 | 2.00 | missed by 1.00 |"), std::string::npos) << report;
    EXPECT_NE(report.find("ratio <= 1.15 | 1.15 | missed by 0.001 |"), std::string::npos) << report;
    EXPECT_NE(
        report.find("| Character to code, result box | 3 | 2.00 | 40.00 |"), std::string::npos)
        << report;
    EXPECT_NE(report.find("p99 < 16 ms | 40.00 | missed by 24.00 |"), std::string::npos) << report;
}

TEST(Report, ALostScenarioShowsAsNotAvailableWithItsReason)
{
    Results results;
    results["idle_about"]["program"].failure = "Ctrl+D opened no About window";
    const std::string report = reportOf(results);

    EXPECT_NE(report.find("| About window with its logo gliding | n/a |"), std::string::npos)
        << report;
    EXPECT_NE(
        report.find("- idle_about, program: Ctrl+D opened no About window"), std::string::npos)
        << report;
}

} // namespace
