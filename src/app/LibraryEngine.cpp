#include "app/LibraryEngine.h"

#include "decode/DecoderLibrary.h"

namespace zq {

namespace {

class LibraryEngine : public DecoderEngine {
  public:
    explicit LibraryEngine(std::unique_ptr<decode::DecoderLibrary> library)
        : library_(std::move(library)) {}
    std::vector<decode::DecoderInfo> ListAll() override { return library_->ListAll(); }
    decode::DecodeResult Run(const DecodedCapture& capture,
                             const std::vector<decode::DecoderStack>& stacks, double sampleRate,
                             const std::atomic<bool>* stop) override {
        return library_->Run(capture, stacks, sampleRate, stop);
    }

  private:
    std::unique_ptr<decode::DecoderLibrary> library_;
};

}  // namespace

std::unique_ptr<DecoderEngine> LoadLibraryEngine(std::string* error) {
    auto library = decode::DecoderLibrary::Load(error);
    if (!library) return nullptr;
    return std::make_unique<LibraryEngine>(std::move(library));
}

}  // namespace zq
