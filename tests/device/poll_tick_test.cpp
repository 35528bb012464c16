#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "block_response.h"
#include "decoder.h"
#include "poll_tick.h"

namespace {

// Runs a script of events against fresh records: T a tick with communication on,
// t a tick with it off, R a good answer from the controller, W a command marking
// itself outstanding, E its echo.
struct Outcome {
    std::vector<int> sent; // first register of each request sent
    int phase;
    bool lampLit;
};

Outcome RunScript(const std::string& script) {
    ProtocolState state;
    RegisterImage image;
    Outcome out{{}, 0, false};
    const auto apply = [&out](LampChange lamp) {
        if (lamp != LampChange::Keep) {
            out.lampLit = lamp == LampChange::Light;
        }
    };
    const auto answer = BlockResponse({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    for (const char event : script) {
        if (event == 'T' || event == 't') {
            const PollTickResult tick = PollTick(state, event == 'T');
            apply(tick.lamp);
            if (tick.requestStart) {
                out.sent.push_back(*tick.requestStart);
            }
        } else if (event == 'R' || event == 'E') {
            apply(DecodeDelivery(state, image, answer.data(), 25).lamp);
        } else if (event == 'W') {
            state.WritePending = 1;
        }
    }
    out.phase = state.PollPhase;
    return out;
}

} // namespace

TEST(PollTick, Sequences) {
    const struct {
        const char* what;
        std::string script;
        std::vector<int> sent;
        int phase;
        bool lampLit;
    } cases[] = {
        {"box unticked sends nothing", "ttt", {}, 0, false},
        {"silent controller gets the same block", "TTTT", {0, 0, 0, 0}, 0, false},
        {"answering controller cycles the blocks", "TRTRTRTRTR", {0, 10, 20, 0, 10}, 1, true},
        {"block 2 is followed by block 0", "TRTRTRT", {0, 10, 20, 0}, 0, true},
        {"an answer before a gated tick still advances", "TRtT", {0, 10}, 1, false},
        {"gated tick darkens a lit lamp", "TRt", {0}, 1, false},
        {"answered tick keeps the lamp lit", "TRT", {0, 10}, 1, true},
        {"unanswered tick darkens a lit lamp", "TRTT", {0, 10, 10}, 1, false},
        {"outstanding command holds polling", "TRWTT", {0}, 1, false},
        {"echo ends the wait, polling resumes with the due block", "TRWTETR", {0, 10}, 1, true},
        {"an answer in flight is taken as the echo", "TWET", {0, 0}, 0, false},
    };
    for (const auto& c : cases) {
        const Outcome out = RunScript(c.script);
        EXPECT_EQ(out.sent, c.sent) << c.what;
        EXPECT_EQ(out.phase, c.phase) << c.what;
        EXPECT_EQ(out.lampLit, c.lampLit) << c.what;
    }
}

TEST(PollTick, GatedTickStillConsumesTheAnswerFlag) {
    ProtocolState state;
    state.PollPhase = 2;
    state.ResponseReceived = 1;
    const PollTickResult tick = PollTick(state, false);
    EXPECT_EQ(state.PollPhase, 0);
    EXPECT_EQ(state.ResponseReceived, 0);
    EXPECT_EQ(tick.lamp, LampChange::Darken);
    EXPECT_FALSE(tick.requestStart);
}
