#include "Fakes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

namespace zq::test {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zq-device-XXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data());
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    // The signal would end the test; ignored, the write fails with EFBIG instead.
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
}

bool FakePort::open(std::string& error) {
    ++opens;
    if (!openError.empty()) {
        error = openError;
        return false;
    }
    open_ = true;
    return true;
}

std::string FakePort::readAll() { return std::exchange(waiting, {}); }

void FakePort::setRts(bool high) {
    std::error_code ec;
    const auto size = watched.empty() ? 0 : std::filesystem::file_size(watched, ec);
    rts.emplace_back(high, ec ? 0 : size);
}

void FakePort::receive(const std::string& bytes) {
    waiting += bytes;
    raise(comEvReceive);
}

int FakeDialogs::MessageBox(const std::string& text, Buttons buttons, Icon icon,
                            const std::string& title) {
    asked.push_back({text, buttons, icon, title});
    if (duringBox) std::exchange(duringBox, nullptr)();
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected box: " << text;
        return AnswerOk;
    }
    const int a = answers.front();
    answers.pop_front();
    return a;
}

bool FakeDialogs::ShowOpen(OpenLogSettings& settings) {
    shown.push_back(settings);
    if (duringDialog) std::exchange(duringDialog, nullptr)();
    if (names.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return false;
    }
    auto name = names.front();
    names.pop_front();
    if (!name) return false;
    settings.FileName = *name;
    return true;
}

void FakeViewer::attach(DeviceSession& device, const CaptureSession& capture) {
    QObject::connect(&device, &DeviceSession::statusChanged,
                     [this](const QString& text) { statuses.push_back(text.toStdString()); });
    QObject::connect(&device, &DeviceSession::captureComplete, [this, &capture] {
        titles.push_back(capture.currentFile() + kChartTitleSuffix);
        CalcData();
    });
}

void FakeViewer::CalcData() {
    ++calcs;
    if (onCalcData) onCalcData();
}

}  // namespace zq::test
