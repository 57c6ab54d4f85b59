#include "winapi/internal/WinUiScriptQueue.h"

#include "winapi/host/WinHostStore.h"

WinUiScriptQueue& WinUiScriptQueue::Instance() {
    static auto* queue = new WinUiScriptQueue; // outlives static destructors
    return *queue;
}

void WinUiScriptQueue::CheckGeneration() {
    const uint64_t generation = WinHostStore::Instance().Generation();
    if (generation == generation_) return;
    generation_ = generation;
    dialogs_.clear();
    sheets_.clear();
    answers_.clear();
}

void WinUiScriptQueue::QueueDialogScript(WORD templateId, WinUiScript script) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    dialogs_[templateId].push_back(std::move(script));
}

WinUiScript WinUiScriptQueue::TakeDialogScript(WORD templateId) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    auto found = dialogs_.find(templateId);
    if (found == dialogs_.end() || found->second.empty()) return {};
    WinUiScript script = std::move(found->second.front());
    found->second.pop_front();
    return script;
}

void WinUiScriptQueue::QueueSheetScript(WinUiScript script) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    sheets_.push_back(std::move(script));
}

WinUiScript WinUiScriptQueue::TakeSheetScript() {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    if (sheets_.empty()) return {};
    WinUiScript script = std::move(sheets_.front());
    sheets_.pop_front();
    return script;
}

void WinUiScriptQueue::QueueMessageBoxAnswer(int answer) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    answers_.push_back(answer);
}

bool WinUiScriptQueue::TakeMessageBoxAnswer(int& answer) {
    std::lock_guard<std::mutex> hold(mutex_);
    CheckGeneration();
    if (answers_.empty()) return false;
    answer = answers_.front();
    answers_.pop_front();
    return true;
}

void WinUiScriptQueue::Clear() {
    std::lock_guard<std::mutex> hold(mutex_);
    generation_ = WinHostStore::Instance().Generation();
    dialogs_.clear();
    sheets_.clear();
    answers_.clear();
}
