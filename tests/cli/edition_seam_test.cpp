// An edition the program has never heard of, registered here, must reach the
// command line through the registry alone: its key, its factor as an option
// and a batch column, the help, its checks in the exit status and the batch
// status, and design files that keep it.
#include "cli_runner.h"
#include "json_reader.h"
#include "support/test_edition.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace rampwall::cli {
namespace {

using ::testing::HasSubstr;
using testing_support::JsonReader;
using testing_support::runCli;
using testing_support::splitLines;
using testing_support::TestEdition;

class edition_seam : public ::testing::Test {
protected:
    void SetUp() override { TestEdition::registered(); }
};

TEST_F(edition_seam, OptionsHelpAndExitStatus) {
    // Start-up: H = 4 m, Mk = 0.5·18·4·4²/6 = 96, M = φt·Mk.
    const auto passes = runCli({"--edition", "T9", "--phi-t", "1.5", "--json"});
    EXPECT_EQ(passes.status, 0) << passes.err;
    EXPECT_EQ(JsonReader::parse(passes.out).at("values").at("M").number(), 144);
    EXPECT_EQ(JsonReader::parse(passes.out).at("values").at("grade").string(), "TS300");

    const auto fails = runCli({"--edition", "T9", "--phi-t", "1.6"});
    EXPECT_EQ(fails.status, 3) << fails.err;

    const auto help = runCli({"--help"});
    for (const char* piece : {"T9", "试验规范 TS 9-2099", "--phi-t VALUE", "试验系数φt", "TS300"}) {
        EXPECT_THAT(help.out, HasSubstr(piece));
    }

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--edition", "T9", "--phi-t", "9"}, "“试验系数φt”必须在1到5之间"},
        {{"--phi-t", "1.5"}, "--phi-t is a load factor of 试验规范 TS 9-2099; add --edition T9"},
        {{"--edition", "T9", "--load-factor", "1.2"}, "--load-factor is the single factor of"},
        {{"--edition", "T9", "--steel", "HRB400"}, "is not in the steel list of 试验规范"},
        {{"--edition", "T8"}, "is no edition"},
    };
    for (const auto& [args, message] : refused) {
        const auto run = runCli(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_THAT(run.err, HasSubstr(message)) << args[1];
    }
}

TEST_F(edition_seam, BatchColumnsAndStatus) {
    const auto run = runCli({"--batch", "-"}, "edition,phi-t,steel\nT9,1.5,TS600\nT9,,TS600\nT9,1.6,\n,1.5,\n");
    EXPECT_EQ(run.status, 1); // the last row gives a factor to the default edition
    const auto lines = splitLines(run.out, "\r\n");
    ASSERT_EQ(lines.size(), 5u) << run.out;
    EXPECT_THAT(lines[1], ::testing::StartsWith("T9,1.5,TS600,144,"));
    EXPECT_THAT(lines[1], HasSubstr(",ok,"));
    EXPECT_THAT(lines[2], ::testing::StartsWith("T9,,TS600,120,")); // the default φt
    EXPECT_THAT(lines[3], HasSubstr(",fails,"));
    EXPECT_THAT(run.err, HasSubstr("line 5: --phi-t is a load factor of 试验规范"));
}

TEST_F(edition_seam, DesignFileKeepsTheEditionItsFactorAndSteel) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "rampwall-edition-seam.rampwall";
    const auto saved =
        runCli({"--edition", "T9", "--phi-t", "1.5", "--steel", "TS600", "--save-design", file.string()});
    ASSERT_EQ(saved.status, 0) << saved.err;
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_THAT(text, HasSubstr("\"code\": \"T9\""));
    EXPECT_THAT(text, HasSubstr("\"phi-t\": 1.5"));
    EXPECT_THAT(text, HasSubstr("\"steel\": \"TS600\""));
    const auto reopened = runCli({"--design", file.string(), "--json"});
    std::filesystem::remove(file);
    EXPECT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, runCli({"--edition", "T9", "--phi-t", "1.5", "--steel", "TS600", "--json"}).out);
}

} // namespace
} // namespace rampwall::cli
