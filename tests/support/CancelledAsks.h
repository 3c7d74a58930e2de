#pragma once
// For stand-ins of the dialogs seam whose users ask for no text, channels, bus or decoder (the
// device session, the benchmarks): each of those is answered as a cancel.

#include <optional>
#include <string>
#include <vector>

#include "session/Dialogs.h"

namespace zq::test {

class CancelledAsks : public Dialogs {
  public:
    std::optional<std::string> AskText(const std::string&, const std::string&,
                                       const std::string&) override {
        return std::nullopt;
    }
    std::optional<ChannelSetup> EditChannels(const ChannelSetup&) override { return std::nullopt; }
    std::optional<Bus> AskBus(const ChannelSetup&, const std::vector<int>&) override {
        return std::nullopt;
    }
    std::optional<ChannelSetup> EditDecoder(const std::vector<decode::DecoderInfo>&,
                                            const ChannelSetup&,
                                            std::optional<DecoderPlace>) override {
        return std::nullopt;
    }
};

}  // namespace zq::test
