#include "session/DecodeSession.h"

#include <algorithm>

#include "view/Translate.h"

namespace zq {

namespace {

constexpr const char* kNeedsRate = QT_TRANSLATE_NOOP(
    "zq::DecodeSession", "The decoders need a sample rate: View > Sample Rate ... sets one.");

}  // namespace

DecodeSession::DecodeSession(EngineLoader loader, QObject* parent)
    : QObject(parent), loader_(std::move(loader)), worker_(std::make_unique<QObject>()) {
    thread_.setObjectName("decoders");
    worker_->moveToThread(&thread_);
}

DecodeSession::~DecodeSession() {
    if (stop_) *stop_ = true;
    if (!thread_.isRunning()) return;
    // The library is let go where it was loaded.
    QMetaObject::invokeMethod(
        worker_.get(), [this] { engine_.reset(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void DecodeSession::onWorker(std::function<void()> work) {
    // The thread starts with the first use, so that a program that never decodes has none.
    if (!thread_.isRunning()) thread_.start();
    QMetaObject::invokeMethod(worker_.get(), std::move(work), Qt::QueuedConnection);
}

bool DecodeSession::engineReady() {
    if (engine_) return true;
    if (loadTried_) return false;
    loadTried_ = true;
    std::string error;
    engine_ = loader_(&error);
    if (engine_) return true;
    QMetaObject::invokeMethod(
        this,
        [this, error] {
            loadError_ = error.empty() ? translate("zq::DecodeSession",
                                                   "The protocol decoders cannot be loaded.")
                                       : error;
            tell(loadError_);
        },
        Qt::QueuedConnection);
    return false;
}

void DecodeSession::listDecoders() {
    if (listed_ || !loadError_.empty()) {
        emit decodersListed();
        return;
    }
    if (listing_) return;
    listing_ = true;
    onWorker([this] {
        auto all = std::make_shared<std::vector<decode::DecoderInfo>>();
        const bool ok = engineReady();
        if (ok) *all = engine_->ListAll();
        QMetaObject::invokeMethod(
            this,
            [this, all, ok] {
                listing_ = false;
                if (ok) {
                    decoders_ = std::move(*all);
                    listed_ = true;
                }
                emit decodersListed();
            },
            Qt::QueuedConnection);
    });
}

void DecodeSession::decode(const DecodedCapture* capture, uint64_t version,
                           const ChannelSetup& setup) {
    const bool nothing = !capture || setup.decoders.empty();
    if (asked_ && (asked_->capture != nullptr) == !nothing && asked_->version == version &&
        asked_->stacks == setup.decoders && asked_->rate == setup.sampleRate)
        return;
    ++generation_;
    if (stop_) *stop_ = true;  // the run before is of no use now
    stop_.reset();
    asked_ = Request{nullptr, version, setup.decoders, setup.sampleRate};
    if (nothing || !setup.sampleRate || !loadError_.empty()) {
        setRunning(false);
        annotations_.reset();
        emit annotationsChanged();
        if (!nothing && !setup.sampleRate) tell(translate("zq::DecodeSession", kNeedsRate));
        return;
    }
    // Until the new run ends its rows stay, empty, so that the chart does not jump.
    if (annotations_)
        annotations_ = std::make_shared<const AnnotationTable>(annotations_->rowsOnly());
    emit annotationsChanged();

    // The worker gets its own copy: the session's model is decoded again in place.
    asked_->capture = std::make_shared<const DecodedCapture>(*capture);
    auto stop = std::make_shared<std::atomic<bool>>(false);
    stop_ = stop;
    setRunning(true);
    onWorker([this, request = *asked_, stop, generation = generation_] {
        // Stopped before it began (by Stop, or by a later run), or no library: it ends here.
        if (*stop || !engineReady()) {
            QMetaObject::invokeMethod(
                this, [this, generation] { finished(generation, nullptr); }, Qt::QueuedConnection);
            return;
        }
        auto table = std::make_shared<const AnnotationTable>(
            engine_->Run(*request.capture, request.stacks, *request.rate, stop.get()));
        // A stopped run's result is what it found until then: shown all the same.
        QMetaObject::invokeMethod(
            this, [this, generation, table] { finished(generation, table); }, Qt::QueuedConnection);
    });
}

void DecodeSession::finished(uint64_t generation, std::shared_ptr<const AnnotationTable> table) {
    // A result nobody waits for any more: a later run replaces it.
    if (generation != generation_) return;
    setRunning(false);
    if (!table) return;
    annotations_ = std::move(table);
    emit annotationsChanged();
    // Each failure is told once: a run again over another capture fails the same way.
    const std::vector<std::string>& errors = annotations_->result().errors;
    std::string fresh;
    for (const std::string& e : errors)
        if (std::find(told_.begin(), told_.end(), e) == told_.end())
            fresh += (fresh.empty() ? "" : "\n") + e;
    told_ = errors;
    if (!fresh.empty()) emit failed(QString::fromStdString(fresh));
}

void DecodeSession::stop() {
    if (stop_) *stop_ = true;
}

void DecodeSession::setRunning(bool running) {
    if (running == running_) return;
    running_ = running;
    emit runningChanged(running);
}

void DecodeSession::tell(const std::string& message) {
    if (std::find(told_.begin(), told_.end(), message) != told_.end()) return;
    told_ = {message};
    emit failed(QString::fromStdString(message));
}

}  // namespace zq
