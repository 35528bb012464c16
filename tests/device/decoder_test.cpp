#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "block_response.h"
#include "decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
    return Bytes(bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(to));
}

const Bytes kWorked = BlockResponse({5000, 0, 0, 1, 0, 0, 0, 0, 0, 0});
const Bytes kBlock1 = BlockResponse({101, 102, 0xFFFF, 257, 14, 3800, 0, 0, 0, 0});
const Bytes kBlock2 = BlockResponse({12, 13, 14, 2300, 0, 0, 0, 0, 0, 0});
const Bytes kEcho{0x01, 0x06, 0x00, 0x03, 0x00, 0x01, 0xB8, 0x0A};
const Bytes kException{0x01, 0x83, 0x02, 0xC0, 0xF1};

Bytes Corrupted(Bytes bytes) {
    bytes[5] ^= 0x01;
    return bytes;
}

struct Case {
    const char* what;
    std::uint8_t phase;
    std::int32_t writePending;
    std::uint8_t responseBefore;
    std::vector<Bytes> deliveries;
    std::map<int, std::uint16_t> stored; // registers expected to have changed
    std::uint8_t responseAfter;
    std::int32_t writePendingAfter;
    LampChange lastLamp;
    std::optional<std::uint8_t> lastStoredBlock;
};

} // namespace

TEST(DecodeDelivery, OneDeliveryAtATime) {
    const Bytes longDelivery = Concat(kWorked, Bytes(275, 0xA5));
    const Case cases[] = {
        {"worked answer", 0, 0, 0, {kWorked}, {{0, 5000}, {3, 1}}, 1, 0, LampChange::Light, 0},
        {"FF FF is 65535",
         1,
         0,
         0,
         {kBlock1},
         {{10, 101}, {11, 102}, {12, 65535}, {13, 257}, {15, 3800}},
         1,
         0,
         LampChange::Light,
         1},
        {"block 2",
         2,
         0,
         0,
         {kBlock2},
         {{20, 12}, {21, 13}, {22, 14}, {23, 2300}},
         1,
         0,
         LampChange::Light,
         2},
        {"good answer while a command is outstanding is its echo",
         0,
         1,
         0,
         {kWorked},
         {},
         0,
         0,
         LampChange::Keep,
         std::nullopt},
        {"block-1 answer while block 0 is due is stored as block 0",
         0,
         0,
         0,
         {kBlock1},
         {{0, 101}, {3, 257}},
         1,
         0,
         LampChange::Light,
         0},
        {"300 bytes with a good first 25",
         0,
         0,
         0,
         {longDelivery},
         {{0, 5000}, {3, 1}},
         1,
         0,
         LampChange::Light,
         0},
        {"good frame split 10 + 15",
         0,
         0,
         0,
         {Slice(kWorked, 0, 10), Slice(kWorked, 10, 25)},
         {},
         0,
         0,
         LampChange::Darken,
         std::nullopt},
        {"trailing bytes after a good frame",
         0,
         0,
         0,
         {Concat(kWorked, {0x01, 0x02, 0x03})},
         {{0, 5000}, {3, 1}},
         1,
         0,
         LampChange::Light,
         0},
        {"another slave's answer with a good CRC",
         0,
         0,
         0,
         {BlockResponse({7, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 7)},
         {{0, 7}},
         1,
         0,
         LampChange::Light,
         0},
        {"an echo with nothing outstanding",
         0,
         0,
         0,
         {kEcho},
         {},
         0,
         0,
         LampChange::Darken,
         std::nullopt},
        {"an exception answer", 0, 0, 0, {kException}, {}, 0, 0, LampChange::Darken, std::nullopt},
        {"an empty delivery", 0, 0, 0, {Bytes{}}, {}, 0, 0, LampChange::Darken, std::nullopt},
        {"an all-zero delivery",
         0,
         0,
         0,
         {Bytes(25, 0)},
         {},
         0,
         0,
         LampChange::Darken,
         std::nullopt},
        {"a bad CRC leaves the answer flag as it was",
         1,
         0,
         1,
         {Corrupted(kBlock1)},
         {},
         1,
         0,
         LampChange::Darken,
         std::nullopt},
        {"the real echo after an answer taken as echo fails",
         0,
         1,
         0,
         {kWorked, kEcho},
         {},
         0,
         0,
         LampChange::Darken,
         std::nullopt},
    };
    for (const Case& c : cases) {
        ProtocolState state;
        RegisterImage image;
        state.PollPhase = c.phase;
        state.WritePending = c.writePending;
        state.ResponseReceived = c.responseBefore;
        DeliveryResult result;
        for (const Bytes& delivery : c.deliveries) {
            result = DecodeDelivery(state, image, delivery.data(),
                                    static_cast<std::uint16_t>(delivery.size()));
            EXPECT_TRUE(std::all_of(state.RxBuffer.begin(), state.RxBuffer.end(), [](auto b) {
                return b == 0;
            })) << c.what;
        }
        RegisterImage expected;
        for (const auto& [reg, value] : c.stored) {
            expected.Registers[reg] = value;
        }
        EXPECT_EQ(image.Registers, expected.Registers) << c.what;
        EXPECT_EQ(state.ResponseReceived, c.responseAfter) << c.what;
        EXPECT_EQ(state.WritePending, c.writePendingAfter) << c.what;
        EXPECT_EQ(state.PollPhase, c.phase) << c.what;
        EXPECT_EQ(result.lamp, c.lastLamp) << c.what;
        EXPECT_EQ(result.storedBlock, c.lastStoredBlock) << c.what;
    }
}

// Zero padding keeps a frame's zero CRC residue: short frames with a correct CRC of
// their own must still not be taken for block answers.
TEST(DecodeDelivery, ShortFramesWithTheirOwnCrcAreNotAnswers) {
    EXPECT_EQ(CalcCrc16(kEcho.data(), 8), 0);
    EXPECT_EQ(CalcCrc16(kException.data(), 5), 0);
    for (std::size_t cut = 1; cut <= 22; ++cut) { // with its CRC: 3 to 24 bytes
        Bytes frame = Slice(kWorked, 0, cut);
        const std::uint16_t sum = CalcCrc16(frame.data(), static_cast<std::int32_t>(frame.size()));
        frame.push_back(static_cast<std::uint8_t>(sum >> 8));
        frame.push_back(static_cast<std::uint8_t>(sum & 0xFF));
        ProtocolState state;
        RegisterImage image;
        const auto result =
            DecodeDelivery(state, image, frame.data(), static_cast<std::uint16_t>(frame.size()));
        EXPECT_EQ(result.lamp, LampChange::Darken) << frame.size();
        EXPECT_EQ(state.ResponseReceived, 0) << frame.size();
        EXPECT_EQ(image.Registers, RegisterImage{}.Registers) << frame.size();
    }
}

TEST(DecodeDelivery, ImageKeepsValuesAcrossFailures) {
    ProtocolState state;
    RegisterImage image;
    DecodeDelivery(state, image, kWorked.data(), 25);
    const Bytes noise(40, 0x5A);
    DecodeDelivery(state, image, noise.data(), 40);
    EXPECT_EQ(image[0], 5000);
    EXPECT_EQ(image[3], 1);
}

TEST(CycleCountText, DecimalCutToSevenCharacters) {
    EXPECT_EQ(CycleCountText(0), "0");
    EXPECT_EQ(CycleCountText(1234567), "1234567");
    EXPECT_EQ(CycleCountText(12345678), "1234567");
}
