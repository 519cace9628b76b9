#pragma once
// The variables a programming dialog keeps for its one run over the serial link.

#include <cstdint>

namespace vorix::link {

/// Whether a frame is out and its answer is being waited for.
enum class LinkState : std::int16_t { Idle = 0, AwaitingAnswer = 3 };

/// Every value of the link and the transfer in one place, so a test can check the state between
/// two steps. Read-only for everybody but LinkSession; the defaults are the values when the dialog loads.
struct LinkVariables {
    // Link control.
    link::LinkState LinkState = link::LinkState::Idle;
    std::int16_t EchoLength = 0;   // length of the frame sent last: the answer sits at this index
    bool AwaitingReply = false;    // an answer is outstanding and the time-out guards it
    std::int16_t TimeoutCount = 0; // time-outs since the last successful step
    bool PromptOpen = false;       // a restart or a "Check connection" prompt is in progress
    bool FinishPending = false;    // the run is over: the next tick performs the end of run

    // Transfer: address of the next block and the end address, as high and low bytes.
    std::int16_t AddrHigh = 0;
    std::int16_t AddrLow = 0;
    std::int16_t EndHigh = 0;
    std::int16_t EndLow = 128;
    bool LongWriteBlocks = false; // write blocks carry 16 data bytes instead of 8
    bool TransferOk = false;      // the whole image has been transferred
};

} // namespace vorix::link
