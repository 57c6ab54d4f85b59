#include "winapi/internal/WinUiLog.h"

#include "winapi/host/WinHostStore.h"

WinUiLog& WinUiLog::Instance() {
    static auto* log = new WinUiLog; // outlives static destructors
    return *log;
}

void WinUiLog::CheckGeneration() {
    const uint64_t generation = WinHostStore::Instance().Generation();
    if (generation == generation_) return;
    generation_ = generation;
    boxes_.clear();
    help_.clear();
    failures_.clear();
}

void WinUiLog::AddMessageBox(WinRecordedMessageBox box) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    boxes_.push_back(std::move(box));
}

std::vector<WinRecordedMessageBox> WinUiLog::MessageBoxes() {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    return boxes_;
}

void WinUiLog::AddHelp(WinRecordedHelp help) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    help_.push_back(std::move(help));
}

std::vector<WinRecordedHelp> WinUiLog::HelpCalls() {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    return help_;
}

void WinUiLog::AddFailure(std::string failure) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    failures_.push_back(std::move(failure));
}

std::vector<std::string> WinUiLog::Failures() {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    return failures_;
}

void WinUiLog::Clear() {
    std::lock_guard<std::mutex> hold(mutex_);
    generation_ = WinHostStore::Instance().Generation();
    boxes_.clear();
    help_.clear();
    failures_.clear();
}
