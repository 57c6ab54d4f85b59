#include "winapi/internal/WinPathMapper.h"

#include <dirent.h>
#include <sys/stat.h>

#include "winapi/WinError.h"
#include "winapi/internal/WinTextRules.h"

namespace {
std::u16string Slashes(std::u16string_view path) {
    std::u16string out(path);
    for (char16_t& c : out)
        if (c == u'/') c = u'\\';
    return out;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && WinText::EqualNoCase(text.substr(0, prefix.size()), prefix);
}

char16_t Upper(char16_t c) {
    return WinText::FoldChar(c);
}

bool IsDriveLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Appends the components of a backslash path, applying "." and ".."; false
// when ".." would climb above the root.
bool AppendComponents(std::u16string_view path, std::vector<std::u16string>& parts) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string_view::npos) end = path.size();
        const std::u16string_view part = path.substr(start, end - start);
        if (part == u"..") {
            if (parts.empty()) return false;
            parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    return true;
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name without regard to case.
std::string FindNoCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr) return {};
    const std::u16string wanted = WinText::Fold(WinText::FromUtf8(name));
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (WinText::Fold(WinText::FromUtf8(entry->d_name)) != wanted) continue;
        found = entry->d_name;
        break;
    }
    closedir(dir);
    return found;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}
} // namespace

bool WinPathMapper::Resolve(std::u16string_view rawPath, int depth, Resolved& out) {
    const std::u16string path = Slashes(rawPath);
    if (depth > 4) {
        error_ = ERROR_BAD_PATHNAME;
        return false;
    }
    std::u16string_view rest = path;
    if (StartsWithNoCase(rest, u"\\\\?\\")) rest.remove_prefix(4);
    if (rest.find(u':', 2) != std::u16string_view::npos || rest.find(u'\0') != std::u16string_view::npos) {
        error_ = ERROR_INVALID_NAME;
        return false;
    }
    const std::u16string current = Slashes(state_.currentDirectory);
    // Network share: \\server\share\...
    if (rest.size() >= 2 && rest[0] == u'\\' && rest[1] == u'\\') {
        rest.remove_prefix(2);
        const size_t serverEnd = rest.find(u'\\');
        const size_t shareEnd =
            serverEnd == std::u16string_view::npos ? serverEnd : rest.find(u'\\', serverEnd + 1);
        const std::u16string_view server = rest.substr(0, serverEnd);
        const std::u16string_view share = serverEnd == std::u16string_view::npos
                                              ? std::u16string_view()
                                              : rest.substr(serverEnd + 1, shareEnd - serverEnd - 1);
        if (state_.networkRoot.empty() || server.empty() || share.empty() || server == u".." ||
            share == u"..") {
            error_ = ERROR_BAD_NETPATH;
            return false;
        }
        out.hostRoot = state_.networkRoot;
        out.windowsRoot = u"\\\\" + std::u16string(server) + u"\\" + std::u16string(share);
        out.parts = {std::u16string(server), std::u16string(share)};
        std::vector<std::u16string> below;
        if (shareEnd != std::u16string_view::npos && !AppendComponents(rest.substr(shareEnd + 1), below)) {
            error_ = ERROR_PATH_NOT_FOUND;
            return false;
        }
        out.parts.insert(out.parts.end(), below.begin(), below.end());
        return true;
    }
    // The system root.
    if (StartsWithNoCase(rest, u"\\SystemRoot") && (rest.size() == 11 || rest[11] == u'\\'))
        return Resolve(state_.systemRoot + std::u16string(rest.substr(11)), depth + 1, out);
    // A drive letter, or the current directory's drive or share.
    char16_t drive = 0;
    if (rest.size() >= 2 && rest[1] == u':' && IsDriveLetter(rest[0])) {
        drive = Upper(rest[0]);
        rest.remove_prefix(2);
        // "C:name" is relative to the current directory when that is on C.
        if (!rest.empty() && rest[0] != u'\\' && current.size() >= 2 && Upper(current[0]) == drive &&
            current[1] == u':')
            return Resolve(current + u"\\" + std::u16string(rest), depth + 1, out);
    } else if (!rest.empty() && rest[0] == u'\\') {
        if (current.size() >= 2 && current[0] == u'\\' && current[1] == u'\\') {
            Resolved share;
            if (!Resolve(current, depth + 1, share)) return false;
            return Resolve(share.windowsRoot + std::u16string(rest), depth + 1, out);
        }
        if (current.size() < 2 || current[1] != u':') {
            error_ = ERROR_PATH_NOT_FOUND;
            return false;
        }
        drive = Upper(current[0]);
    } else {
        return Resolve(current + u"\\" + std::u16string(rest), depth + 1, out);
    }
    auto mapped = state_.drives.find(drive);
    if (mapped == state_.drives.end()) {
        error_ = ERROR_PATH_NOT_FOUND;
        return false;
    }
    out.hostRoot = mapped->second;
    out.windowsRoot = std::u16string(1, drive) + u":";
    out.parts.clear();
    if (!AppendComponents(rest, out.parts)) {
        error_ = ERROR_PATH_NOT_FOUND;
        return false;
    }
    return true;
}

bool WinPathMapper::Map(std::u16string_view windowsPath, std::string& hostPath) {
    Resolved resolved;
    if (windowsPath.empty()) {
        error_ = ERROR_PATH_NOT_FOUND;
        return false;
    }
    if (!Resolve(windowsPath, 0, resolved)) return false;
    std::string host = resolved.hostRoot.empty() ? "/" : resolved.hostRoot;
    bool searching = true;
    for (const std::u16string& part : resolved.parts) {
        const std::string name = WinText::ToUtf8(part);
        std::string next = Join(host, name);
        if (searching && !Exists(next)) {
            const std::string match = FindNoCase(host, name);
            if (!match.empty())
                next = Join(host, match);
            else
                searching = false; // nothing below a missing entry exists either
        }
        host = next;
    }
    hostPath = host;
    return true;
}

bool WinPathMapper::Absolute(std::u16string_view windowsPath, std::u16string& absolute) {
    Resolved resolved;
    if (!Resolve(windowsPath, 0, resolved)) return false;
    const bool share = resolved.windowsRoot.size() > 2;
    absolute = resolved.windowsRoot;
    for (size_t i = share ? 2 : 0; i < resolved.parts.size(); ++i)
        absolute += u"\\" + resolved.parts[i];
    if (!share && resolved.parts.empty()) absolute += u"\\";
    return true;
}
