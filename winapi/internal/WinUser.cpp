#include "winapi/WinUser.h"
#include "winapi/host/WinRecords.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_boxesMutex;
std::vector<RecordedMessageBox>& Boxes() {
    static auto* boxes = new std::vector<RecordedMessageBox>; // outlives static destructors
    return *boxes;
}
} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    const std::string body = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "Error";
    std::fprintf(stderr, "[MessageBox] %s: %s\n", title.c_str(), body.c_str());
    std::lock_guard<std::mutex> hold(g_boxesMutex);
    Boxes().push_back({owner, body, title, type});
    return IDOK;
}

std::vector<RecordedMessageBox> RecordedMessageBoxes() {
    std::lock_guard<std::mutex> hold(g_boxesMutex);
    return Boxes();
}

void ClearRecordedMessageBoxes() {
    std::lock_guard<std::mutex> hold(g_boxesMutex);
    Boxes().clear();
}
