#pragma once
// Maps Windows paths to host files: the one place that knows how drive
// letters, the system root, network shares, the current directory, "." and
// ".." and case-insensitive names become a host path.
//
//   "C:\a\b"             -> host folder of drive C + "/a/b"
//   "\a\b", "a\b"        -> on the current directory's drive / below it
//   "\SystemRoot\a"      -> the store's system root (e.g. "C:\WINNT") + "\a"
//   "\\server\share\a"   -> network root + "/server/share/a"
// Forward slashes count as backslashes. Each component that names an
// existing entry without regard to case takes that entry's host name; the
// rest keep their case. ".." never climbs above the drive or share root.
#include <string>
#include <string_view>
#include <vector>

#include "winapi/WinTypes.h"
#include "winapi/host/WinMachineState.h"

class WinPathMapper {
public:
    explicit WinPathMapper(const WinMachineState& state) : state_(state) {}

    // False with the Windows error in error() when the path maps nowhere.
    bool Map(std::u16string_view windowsPath, std::string& hostPath);
    DWORD Error() const { return error_; }

    // The absolute Windows form of a path (drive or share, no "." or "..").
    bool Absolute(std::u16string_view windowsPath, std::u16string& absolute);

private:
    // The host folder of the path's root, the root's Windows form ("C:" or
    // "\\server\share") and the components below it.
    struct Resolved {
        std::string hostRoot;
        std::u16string windowsRoot;
        std::vector<std::u16string> parts;
    };
    bool Resolve(std::u16string_view path, int depth, Resolved& out);

    const WinMachineState& state_;
    DWORD error_ = 0;
};
