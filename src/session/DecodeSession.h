#pragma once
// The one owner of the protocol decoders in the program: the library (with its Python) is
// loaded on a thread of its own the first time it is needed, and every use of it runs there,
// one at a time, as the library requires. The windows ask for a run whenever they redraw; only
// a change of the capture, the sample rate or the decoders runs the decoders again, and a new
// run ends the one before it. What the decoders said stays here, so that the main window,
// loaded again after the listing, shows it at once.

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/DecodedCapture.h"
#include "view/Annotations.h"
#include "view/Setup.h"

namespace zq {

// The library as the session uses it. The program's wraps the library it loads; the tests
// script one.
class DecoderEngine {
  public:
    virtual ~DecoderEngine() = default;
    // Every decoder the library has, sorted by id.
    virtual std::vector<decode::DecoderInfo> ListAll() = 0;
    // Runs every stack over the whole capture; *stop set ends the run soon.
    virtual decode::DecodeResult Run(const DecodedCapture& capture,
                                     const std::vector<decode::DecoderStack>& stacks,
                                     double sampleRate, const std::atomic<bool>* stop) = 0;
};

// Makes the engine, on the decoding thread: null and a message for the user when it cannot.
using EngineLoader = std::function<std::unique_ptr<DecoderEngine>(std::string* error)>;

class DecodeSession : public QObject {
    Q_OBJECT
  public:
    explicit DecodeSession(EngineLoader loader, QObject* parent = nullptr);
    // Ends a run soon and waits for it; the library is let go on its own thread.
    ~DecodeSession() override;

    // Asks for the library's decoders; decodersListed follows once they are known (at once
    // when they are). Loads the library first if need be.
    void listDecoders();
    const std::vector<decode::DecoderInfo>& decoders() const { return decoders_; }
    bool listed() const { return listed_; }

    // The decoders of setup over capture (null: none open), whose decode counts version (see
    // CaptureSession::modelVersion). Does nothing when that is what the last run was asked for;
    // otherwise ends a run under way and starts one. No decoders, or no capture: nothing to
    // show, and the library is not loaded for it.
    void decode(const DecodedCapture* capture, uint64_t version, const ChannelSetup& setup);
    // Ends the run under way soon; what it had found by then is shown.
    void stop();
    bool running() const { return running_; }

    // What the last run said; null before any.
    const std::shared_ptr<const AnnotationTable>& annotations() const { return annotations_; }
    // Whether the library could not be loaded, and why.
    const std::string& loadError() const { return loadError_; }

  signals:
    void decodersListed();
    // A run ended, or the rows were cleared for a new one: annotations() changed.
    void annotationsChanged();
    void runningChanged(bool running);
    // Something the user must know of, each text once: the library cannot be loaded, a
    // decoder failed. The other decoders' annotations are shown all the same.
    void failed(const QString& message);

  private:
    struct Request {
        std::shared_ptr<const DecodedCapture> capture;
        uint64_t version = 0;
        std::vector<decode::DecoderStack> stacks;
        std::optional<double> rate;
    };
    // Runs work on the decoding thread, the engine loaded; false when it cannot be.
    void onWorker(std::function<void()> work);
    bool engineReady();
    // A run's end on the user-interface thread; table is null when the library is missing.
    void finished(uint64_t generation, std::shared_ptr<const AnnotationTable> table);
    void setRunning(bool running);
    void tell(const std::string& message);

    EngineLoader loader_;
    QThread thread_;
    std::unique_ptr<QObject> worker_;  // lives on thread_: work sent to it runs there
    // Decoding thread only.
    std::unique_ptr<DecoderEngine> engine_;
    bool loadTried_ = false;

    // User-interface thread only.
    std::vector<decode::DecoderInfo> decoders_;
    bool listed_ = false, listing_ = false;
    std::optional<Request> asked_;  // what the last decode() was for
    uint64_t generation_ = 0;       // of the run whose result is wanted
    std::shared_ptr<std::atomic<bool>> stop_;
    bool running_ = false;
    std::shared_ptr<const AnnotationTable> annotations_;
    std::string loadError_;
    std::vector<std::string> told_;  // the messages of the last run, each told once
};

}  // namespace zq
