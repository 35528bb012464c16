#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands.h"

TEST(RunStopCommand, CaptionDecidesRegisterValueAndCode) {
    const struct {
        std::string caption;
        bool communicationOn;
        bool outstanding;
        std::uint16_t value;
        bool send;
        std::optional<std::string> code;
    } cases[] = {
        {"STOP", true, true, 1, true, "1111"},
        {"RUN", true, true, 0, true, "3333"},
        {"RUN", false, true, 0, false, "3333"},
        {"STOP", false, true, 1, false, "1111"},
        {"stop", true, false, 0xBEEF, false, std::nullopt},
        {"STOP ", true, false, 0xBEEF, false, std::nullopt},
        {"", true, false, 0xBEEF, false, std::nullopt},
    };
    for (const auto& c : cases) {
        ProtocolState state;
        state.WriteRegister = 9;
        state.WriteValue = 0xBEEF;
        const CommandResult result = RunStopCommand(state, c.caption, c.communicationOn);
        EXPECT_EQ(state.WritePending, c.outstanding ? 1 : 0) << c.caption;
        EXPECT_EQ(state.WriteRegister, c.outstanding ? 3 : 9) << c.caption;
        EXPECT_EQ(state.WriteValue, c.value) << c.caption;
        EXPECT_EQ(result.send, c.send) << c.caption;
        EXPECT_EQ(result.codeText, c.code) << c.caption;
    }
}

TEST(SetpointCommand, PositionRoundedHalfToEvenInLow16Bits) {
    const struct {
        double position;
        std::uint16_t value;
    } cases[] = {
        {10000, 0x2710}, {0.4, 0},        {0.5, 0},   {1.5, 2},     {1234.5, 1234},
        {1235.5, 1236},  {9999.6, 10000}, {65536, 0}, {65537.2, 1}, {-1, 0xFFFF},
    };
    for (const auto& c : cases) {
        ProtocolState state;
        const CommandResult result = SetpointCommand(state, c.position, true);
        EXPECT_EQ(state.WriteValue, c.value) << c.position;
        EXPECT_EQ(state.WriteRegister, 0) << c.position;
        EXPECT_EQ(state.WritePending, 1) << c.position;
        EXPECT_TRUE(result.send);
        EXPECT_FALSE(result.codeText);
    }
}

TEST(SetpointCommand, CommunicationOffStillOutstandingButNotSent) {
    ProtocolState state;
    EXPECT_FALSE(SetpointCommand(state, 5000, false).send);
    EXPECT_EQ(state.WritePending, 1);
    EXPECT_EQ(state.WriteValue, 5000);
}

TEST(WriteTimeoutStep, GivesUpAtTheFourthTick) {
    ProtocolState state;
    state.WritePending = 1;
    for (int tick = 1; tick <= 3; ++tick) {
        WriteTimeoutStep(state);
        EXPECT_EQ(state.WritePending, 1) << tick;
        EXPECT_EQ(state.WritePendingTicks, tick);
    }
    WriteTimeoutStep(state);
    EXPECT_EQ(state.WritePending, 0);
    EXPECT_EQ(state.WritePendingTicks, 0);
}

TEST(WriteTimeoutStep, IdleTickResetsCountAndInheritedCountShortensTheWait) {
    ProtocolState state;
    state.WritePending = 1;
    WriteTimeoutStep(state);
    WriteTimeoutStep(state);
    state.WritePending = 0; // echo arrives: the count stays
    RunStopCommand(state, "STOP", false);
    WriteTimeoutStep(state);
    WriteTimeoutStep(state);
    EXPECT_EQ(state.WritePending, 0) << "two inherited ticks leave two before the give-up";

    state.WritePendingTicks = 2;
    WriteTimeoutStep(state);
    EXPECT_EQ(state.WritePendingTicks, 0);
}
