#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "hex_text.h"

using Bytes = std::vector<std::uint8_t>;

TEST(HexTextToBytes, Examples) {
    const struct {
        std::string text;
        Bytes bytes;
    } cases[] = {
        {"0103", {0x01, 0x03}},
        {"01 03", {0x01, 0x03}},
        {"ABC", {0xAB, 0x0C}},
        {"a-b", {0x0A, 0x0B}},
        {"00", {0x00}},
        {"ff7F", {0xFF, 0x7F}},
        {"", {}},
        {"xyz -- !", {}},
        {"G1", {0x01}},
        {"1G2", {0x01, 0x02}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexTextToBytes(c.text), c.bytes) << '"' << c.text << '"';
    }
}

TEST(FrameToHexText, UpperCaseTwoDigitsPerByte) {
    const std::uint8_t bytes[] = {0x00, 0x0A, 0xFF, 0x7E};
    EXPECT_EQ(FrameToHexText(bytes, 4), "000AFF7E");
    EXPECT_EQ(FrameToHexText(bytes, 0), "");
}

TEST(HexRoundTrip, EveryByteValueInEveryPosition) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i) {
        all[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(HexTextToBytes(FrameToHexText(all.data(), all.size())), all);
}
