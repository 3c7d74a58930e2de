#include "app/LibraryEngine.h"

#include <QCoreApplication>

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
    if (!library) {
        // The library's own reason stays as it says it; the window's sentence around it is ours.
        if (error && !error->empty())
            *error = QCoreApplication::translate("zq::LibraryEngine",
                                                 "The protocol decoders cannot be loaded: %1.")
                         .arg(QString::fromStdString(*error))
                         .toStdString();
        return nullptr;
    }
    return std::make_unique<LibraryEngine>(std::move(library));
}

}  // namespace zq
