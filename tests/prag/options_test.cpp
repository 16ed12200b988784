// options_test.cpp
// The command line: what each option sets, the defaults that depend on the model, and every bad value
// refused with exit 2 and a message that names the option.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prag/options.h"

namespace {

prag::ParsedCommandLine Parse(std::vector<std::string> words) {
    words.insert(words.begin(), "prag");
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    return prag::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), "prag", 4);
}

TEST(Options, EveryOptionSetsItsValue) {
    const auto parsed = Parse({"--model", "bond", "--sizes", "8,300,16", "--samples", "123", "--seed", "18446744073709551615",
                               "--threads", "3", "--spanning", "either", "--p-min", "0.2", "--p-max", "0.8", "--p-step",
                               "0.01", "--csv", "a.csv", "--json", "b.json", "--plot", "c.svg", "--quiet"});
    ASSERT_TRUE(parsed.settings) << parsed.error;
    const prag::RunSettings& s = *parsed.settings;
    EXPECT_EQ(s.model, prag::Model::kBond);
    EXPECT_EQ(s.sizes, (std::vector<int>{8, 300, 16}));
    EXPECT_EQ(s.samples, 123u);
    EXPECT_EQ(s.seed, 18446744073709551615ull);
    EXPECT_EQ(s.threads, 3);
    EXPECT_EQ(s.rule, prag::Spanning::kEither);
    EXPECT_EQ(s.p_min, 0.2);
    EXPECT_EQ(s.p_max, 0.8);
    EXPECT_EQ(s.p_step, 0.01);
    EXPECT_EQ(s.csv_path, "a.csv");
    EXPECT_EQ(s.json_path, "b.json");
    EXPECT_EQ(s.plot_path, "c.svg");
    EXPECT_TRUE(s.quiet);
}

TEST(Options, DefaultsCentreThePRangeOnEachModelsThreshold) {
    const auto site = Parse({});
    ASSERT_TRUE(site.settings);
    EXPECT_FALSE(site.settings->seed.has_value());
    EXPECT_EQ(site.settings->threads, 4);
    EXPECT_EQ(site.settings->rule, prag::Spanning::kTopBottom);
    EXPECT_NEAR((site.settings->p_min + site.settings->p_max) / 2.0, 0.5927, 0.05);
    const auto bond = Parse({"--model", "bond"});
    ASSERT_TRUE(bond.settings);
    EXPECT_NEAR((bond.settings->p_min + bond.settings->p_max) / 2.0, 0.5, 0.05);
    // Only the bound that is given replaces its default.
    const auto one_bound = Parse({"--p-max", "0.61"});
    ASSERT_TRUE(one_bound.settings);
    EXPECT_EQ(one_bound.settings->p_min, site.settings->p_min);
    EXPECT_EQ(one_bound.settings->p_max, 0.61);
    // Other lattices centre on their own threshold; the torus's rule defaults to either.
    const auto cubic = Parse({"--lattice", "cubic", "--model", "bond", "--boundary", "periodic"});
    ASSERT_TRUE(cubic.settings);
    EXPECT_NEAR((cubic.settings->p_min + cubic.settings->p_max) / 2.0, 0.2488, 0.01);
    EXPECT_EQ(cubic.settings->rule, prag::Spanning::kEither);
    EXPECT_TRUE(cubic.settings->extended);
    EXPECT_FALSE(site.settings->extended);
}

TEST(Options, BadValuesExitWithTwoAndNameTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--sizes", "1"}, "--sizes"},
        {{"--sizes", "64,8193"}, "--sizes"},
        {{"--sizes", "16,32,16"}, "--sizes"},
        {{"--sizes", "abc"}, "--sizes"},
        {{"--samples", "0"}, "--samples"},
        {{"--samples", "-3"}, "--samples"},
        {{"--samples", "ten"}, "--samples"},
        {{"--seed", "-1"}, "--seed"},
        {{"--seed", "18446744073709551616"}, "--seed"},
        {{"--threads", "0"}, "--threads"},
        {{"--spanning", "diagonal"}, "--spanning"},
        {{"--model", "continuum"}, "--model"},
        {{"--p-min", "-0.1"}, "--p-min"},
        {{"--p-max", "1.5"}, "--p-max"},
        {{"--p-min", "nan"}, "--p-min"},
        {{"--p-min", "0.7", "--p-max", "0.6"}, "empty"},
        {{"--p-step", "0"}, "--p-step"},
        {{"--p-step", "1e-9"}, "--p-step"},
        {{"--plot", "curves.jpg"}, "--plot"},
        {{"--frobnicate"}, "frobnicate"},
        {{"--lattice", "kagome"}, "--lattice"},
        {{"--boundary", "helical"}, "--boundary"},
        {{"--spanning", "horizontal"}, "--boundary periodic"},
        {{"--boundary", "open", "--spanning", "one"}, "does not fit"},
        {{"--boundary", "periodic", "--spanning", "top-bottom"}, "does not fit"},
        {{"--lattice", "honeycomb", "--boundary", "periodic", "--sizes", "16,17"}, "even L"},
        {{"--lattice", "cubic", "--sizes", "895"}, "at most 894"},
        {{"--lattice", "cubic", "--sizes", "894", "--threads", "1024"}, "GiB"},
    };
    for (const auto& [words, named] : cases) {
        const auto parsed = Parse(words);
        std::string joined;
        for (const std::string& word : words) joined += word + " ";
        EXPECT_FALSE(parsed.settings) << joined;
        EXPECT_EQ(parsed.exit_code, prag::kExitUsage) << joined;
        EXPECT_NE(parsed.error.find(named), std::string::npos) << joined << "-> " << parsed.error;
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << joined << "-> " << parsed.error;
    }
}

TEST(Options, HelpShowsAnExampleAndVersionNamesTheProgram) {
    const auto help = Parse({"--help"});
    EXPECT_FALSE(help.settings);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.output.find("Example:"), std::string::npos);
    EXPECT_NE(help.output.find("--spanning"), std::string::npos);
    const auto version = Parse({"--version"});
    EXPECT_FALSE(version.settings);
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.output, std::string("prag ") + PRAG_VERSION + "\n");
}

}  // namespace
