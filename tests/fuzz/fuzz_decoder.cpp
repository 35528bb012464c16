// Any sequence of deliveries through DecodeDelivery, checked against what may change.
//
// Input: byte 0 picks PollPhase (mod 3), byte 1 the flags (bit 0 WritePending, bit 1
// ResponseReceived); then deliveries, each a big-endian 16-bit length and that many
// bytes (a length past the end takes the rest).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "crc16.h"
#include "decoder.h"
#include "fuzz_check.h"

namespace {

// Whether the decoder may store this delivery: no command outstanding and a whole
// block answer whose CRC holds.
bool MayStore(const ProtocolState& before, const std::uint8_t* bytes, std::size_t length) {
    return before.WritePending == 0 && length >= 25 &&
           CalcCrc16(bytes, 23) == (bytes[23] << 8 | bytes[24]);
}

void CheckDelivery(ProtocolState& state, RegisterImage& image, const std::uint8_t* bytes,
                   std::uint16_t length) {
    // A heap copy of exactly `length` bytes, so any read past the delivery is caught.
    const auto copy = std::make_unique<std::uint8_t[]>(length);
    std::copy_n(bytes, length, copy.get());

    const ProtocolState before = state;
    const RegisterImage old = image;
    const bool mayStore = MayStore(before, copy.get(), length);
    const DeliveryResult result = DecodeDelivery(state, image, copy.get(), length);

    Require(state.PollPhase == before.PollPhase, "PollPhase never changes");
    Require(std::all_of(state.RxBuffer.begin(), state.RxBuffer.end(),
                        [](std::uint8_t b) { return b == 0; }),
            "RxBuffer is all zero after a delivery");
    Require(result.storedBlock.has_value() == mayStore,
            "a block is stored exactly when the delivery may be stored");
    Require(!mayStore || *result.storedBlock == before.PollPhase, "the polled block is stored");
    const std::size_t first = std::size_t{before.PollPhase} * 10;
    for (std::size_t reg = 0; reg < RegisterImage::kRegisterCount; ++reg) {
        if (image[reg] == old[reg]) {
            continue;
        }
        Require(mayStore, "the image changes only for a good block answer");
        Require(reg >= first && reg < first + 10, "only the polled block's registers change");
        const std::size_t at = 3 + 2 * (reg - first);
        Require(image[reg] == (copy[at] << 8 | copy[at + 1]), "a register takes its answer word");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    ProtocolState state;
    state.PollPhase = data[0] % 3;
    state.WritePending = data[1] & 1;
    state.ResponseReceived = (data[1] >> 1) & 1;
    // Distinct non-zero values, so a stored zero or a stray write shows as a change.
    RegisterImage image;
    for (std::size_t reg = 0; reg < RegisterImage::kRegisterCount; ++reg) {
        image.Registers[reg] = static_cast<std::uint16_t>(0xA500 + reg);
    }

    std::size_t pos = 2;
    while (pos + 2 <= size) {
        const std::size_t wanted = std::size_t{data[pos]} << 8 | data[pos + 1];
        pos += 2;
        const auto length = static_cast<std::uint16_t>(std::min(wanted, size - pos));
        CheckDelivery(state, image, data + pos, length);
        pos += length;
    }
    return 0;
}
