#include <gtest/gtest.h>

#include <functional>

#include "commands.h"
#include "options.h"

namespace {

using namespace m7sim;

struct CommandCase {
    const char* line;
    std::optional<Command> expected; // BadCommand{} stands for any error
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << '"' << c.line << '"';
}

class SimCommands : public testing::TestWithParam<CommandCase> {};

TEST_P(SimCommands, Parse) {
    const CommandCase& c = GetParam();
    const std::optional<Command> parsed = ParseCommand(c.line);
    ASSERT_EQ(parsed.has_value(), c.expected.has_value()) << c.line;
    if (!parsed) {
        return;
    }
    if (const auto* bad = std::get_if<BadCommand>(&*parsed)) {
        EXPECT_TRUE(std::holds_alternative<BadCommand>(*c.expected)) << bad->message;
        EXPECT_NE(bad->message.find(c.line), std::string::npos) << bad->message;
    } else {
        EXPECT_EQ(*parsed, *c.expected) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimCommands,
    testing::Values(
        CommandCase{"", std::nullopt}, CommandCase{"  \t", std::nullopt},
        CommandCase{"fault split", SetFault{Fault::Split}},
        CommandCase{" fault   bad-crc ", SetFault{Fault::BadCrc}},
        CommandCase{"fault none\r", SetFault{Fault::None}},
        CommandCase{"vanish", SetFault{Fault::Vanish}},
        CommandCase{"alarms 0x101", SetAlarms{0x101}},
        CommandCase{"alarms 0X1ff", SetAlarms{0x1FF}}, CommandCase{"alarms 300", SetAlarms{300}},
        CommandCase{"alarms 0", SetAlarms{0}}, CommandCase{"set 12 90", PinRegister{12, 90}},
        CommandCase{"set 0x1d 0xFFFF", PinRegister{29, 0xFFFF}},
        CommandCase{"unset 12", UnpinRegister{12}}, CommandCase{"show", ShowRegisters{}},
        CommandCase{"quit", Quit{}}, CommandCase{"alarms 0x200", BadCommand{}},
        CommandCase{"alarms -1", BadCommand{}}, CommandCase{"alarms", BadCommand{}},
        CommandCase{"alarms 0x", BadCommand{}}, CommandCase{"alarms 12z", BadCommand{}},
        CommandCase{"set 30 1", BadCommand{}}, CommandCase{"set 12 65536", BadCommand{}},
        CommandCase{"set 12", BadCommand{}}, CommandCase{"unset", BadCommand{}},
        CommandCase{"fault", BadCommand{}}, CommandCase{"fault wobble", BadCommand{}},
        CommandCase{"fault slow now", BadCommand{}}, CommandCase{"quit now", BadCommand{}},
        CommandCase{"jump", BadCommand{}}, CommandCase{"FAULT none", BadCommand{}}));

struct OptionCase {
    std::vector<std::string_view> args;
    std::optional<Options> expected; // nothing: an error
};

Options With(const std::function<void(Options&)>& change) {
    Options options;
    change(options);
    return options;
}

void PrintTo(const OptionCase& c, std::ostream* out) {
    for (const auto arg : c.args) {
        *out << arg << ' ';
    }
}

class SimOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(SimOptions, Parse) {
    const OptionCase& c = GetParam();
    const auto parsed = ParseOptions(c.args);
    const auto* options = std::get_if<Options>(&parsed);
    ASSERT_EQ(options != nullptr, c.expected.has_value());
    if (options == nullptr) {
        EXPECT_FALSE(std::get<std::string>(parsed).empty());
        return;
    }
    EXPECT_EQ(options->address, c.expected->address);
    EXPECT_EQ(options->baud, c.expected->baud);
    EXPECT_EQ(options->fault, c.expected->fault);
    EXPECT_EQ(options->link, c.expected->link);
    EXPECT_EQ(options->log, c.expected->log);
    EXPECT_EQ(options->help, c.expected->help);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimOptions,
    testing::Values(
        OptionCase{{}, Options{}},
        OptionCase{{"--address", "7", "--baud", "38400"}, With([](Options& o) {
                       o.address = 7;
                       o.baud = 38400;
                   })},
        OptionCase{{"--address", "247"}, With([](Options& o) { o.address = 247; })},
        OptionCase{{"--fault", "slow", "--log"}, With([](Options& o) {
                       o.fault = Fault::Slow;
                       o.log = true;
                   })},
        OptionCase{{"--link", "/tmp/ttyM7"}, With([](Options& o) { o.link = "/tmp/ttyM7"; })},
        OptionCase{{"--help"}, With([](Options& o) { o.help = true; })},
        OptionCase{{"--address", "0"}, std::nullopt},
        OptionCase{{"--address", "248"}, std::nullopt}, OptionCase{{"--address"}, std::nullopt},
        OptionCase{{"--baud", "fast"}, std::nullopt}, OptionCase{{"--baud", "0"}, std::nullopt},
        OptionCase{{"--fault", "wobble"}, std::nullopt}, OptionCase{{"--link", ""}, std::nullopt},
        OptionCase{{"--verbose"}, std::nullopt}, OptionCase{{"7"}, std::nullopt}));

} // namespace
