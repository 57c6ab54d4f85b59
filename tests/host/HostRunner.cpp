#include "tests/host/HostRunner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace hosttest {

std::string WindowsPath(const std::string& hostPath) {
    std::string path = "C:" + std::filesystem::path(hostPath).lexically_normal().string();
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

HostRun RunHost(const std::vector<std::string>& words) {
    qvtest::TempFolder folder("qvhostrun");
    const std::string outPath = folder.Path("out"), errPath = folder.Path("err");
    std::vector<std::string> all{QV_HOST_PROGRAM};
    all.insert(all.end(), words.begin(), words.end());
    std::vector<char*> argv;
    for (std::string& word : all)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    HostRun run;
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << QV_HOST_PROGRAM;
        return run;
    }
    int status = 0;
    waitpid(child, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = qvtest::ReadFileBytes(outPath);
    run.err = qvtest::ReadFileBytes(errPath);
    return run;
}

rapidjson::Document RunJson(const std::string& store, const std::vector<std::string>& words) {
    std::vector<std::string> all{"--store", store, "--json"};
    all.insert(all.end(), words.begin(), words.end());
    const HostRun run = RunHost(all);
    rapidjson::Document answer;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    answer.Parse(run.out.c_str());
    EXPECT_FALSE(answer.HasParseError()) << run.out;
    if (answer.HasParseError() || !answer.IsObject()) {
        ADD_FAILURE() << "no JSON object: " << run.out;
        answer.SetObject();
    }
    return answer;
}

} // namespace hosttest
