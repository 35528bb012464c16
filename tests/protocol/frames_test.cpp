#include <gtest/gtest.h>

#include <cstdint>

#include "crc16.h"
#include "frames.h"
#include "hex_text.h"

namespace {

struct WorkedFrame {
    const char* what;
    RequestFrame built;
    RequestFrame expected;
};

// The hexadecimal pass every frame takes on its way out.
std::vector<std::uint8_t> ThroughHexText(const RequestFrame& frame) {
    return HexTextToBytes(FrameToHexText(frame.data(), frame.size()));
}

bool SurvivesHexPass(const RequestFrame& frame) {
    const auto out = ThroughHexText(frame);
    return out.size() == frame.size() && std::equal(out.begin(), out.end(), frame.begin());
}

} // namespace

TEST(RequestFrames, WorkedFramesForSlaveOne) {
    const WorkedFrame cases[] = {
        {"read 0", BuildReadRequest(1, 0, 10), {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD}},
        {"read 10", BuildReadRequest(1, 10, 10), {0x01, 0x03, 0x00, 0x0A, 0x00, 0x0A, 0xE5, 0xCF}},
        {"read 20", BuildReadRequest(1, 20, 10), {0x01, 0x03, 0x00, 0x14, 0x00, 0x0A, 0x85, 0xC9}},
        {"write 3=1", BuildWriteRequest(1, 3, 1), {0x01, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB8, 0x0A}},
        {"write 3=0", BuildWriteRequest(1, 3, 0), {0x01, 0x06, 0x00, 0x03, 0x00, 0x00, 0x79, 0xCA}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.expected) << c.what;
    }
}

TEST(RequestFrames, HexTextOfWorkedFrame) {
    const RequestFrame frame = BuildReadRequest(1, 0, 10);
    EXPECT_EQ(FrameToHexText(frame.data(), frame.size()), "01030000000AC5CD");
}

TEST(RequestFrames, WriteValueGoesHighByteFirst) {
    const RequestFrame frame = BuildWriteRequest(0x11, 0, 0x2710);
    EXPECT_EQ(frame[0], 0x11);
    EXPECT_EQ(frame[4], 0x27);
    EXPECT_EQ(frame[5], 0x10);
    const std::uint16_t sum = CalcCrc16(frame.data(), 6);
    EXPECT_EQ(frame[6], sum >> 8);
    EXPECT_EQ(frame[7], sum & 0xFF);
}

// Every frame the builders can make survives the hex pass: each address, each start
// or register byte, each count byte and each 16-bit value, swept in full.
TEST(RequestFrames, HexPassIsIdentityForEveryAddressAndRegister) {
    for (int address = 0; address < 256; ++address) {
        for (int reg = 0; reg < 256; ++reg) {
            const auto a = static_cast<std::uint8_t>(address);
            const auto r = static_cast<std::uint8_t>(reg);
            ASSERT_TRUE(SurvivesHexPass(BuildReadRequest(a, r, 10))) << address << ' ' << reg;
            ASSERT_TRUE(SurvivesHexPass(BuildReadRequest(a, 0, r))) << address << ' ' << reg;
            ASSERT_TRUE(SurvivesHexPass(BuildWriteRequest(a, r, 0xFFFF))) << address << ' ' << reg;
        }
    }
}

TEST(RequestFrames, HexPassIsIdentityForEveryWriteValue) {
    for (std::uint32_t value = 0; value <= 0xFFFF; ++value) {
        const auto v = static_cast<std::uint16_t>(value);
        ASSERT_TRUE(SurvivesHexPass(BuildWriteRequest(1, 3, v))) << value;
        ASSERT_TRUE(SurvivesHexPass(BuildWriteRequest(0xFF, 0, v))) << value;
    }
}
