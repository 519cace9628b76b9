#include "ChildRun.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ctime>
#include <sstream>

extern char** environ;

namespace vorix::bench {

namespace {

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// The environment of the child: ours, with every NAME in `extra` replaced by its new value.
std::vector<std::string> childEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        bool replaced = false;
        for (const std::string& e : extra)
            if (text.substr(0, text.find('=') + 1) == e.substr(0, e.find('=') + 1))
                replaced = true;
        if (!replaced)
            result.emplace_back(text);
    }
    result.insert(result.end(), extra.begin(), extra.end());
    return result;
}

std::string readAll(int fd) {
    std::string text;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            return text;
    }
}

} // namespace

ChildRun RunChild(const std::string& program, const std::vector<std::string>& extraEnvironment) {
    ChildRun run;
    std::vector<std::string> environment = childEnvironment(extraEnvironment);
    std::vector<char*> envp;
    for (std::string& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string programCopy = program;
    char* argv[] = {programCopy.data(), nullptr};

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        run.error = std::strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    // Qt's warnings go to a file, shown only when the run fails.
    char stderrPath[] = "/tmp/vorix-startup-bench-XXXXXX";
    const int stderrFd = mkstemp(stderrPath);
    if (stderrFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stderrFd, STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, stderrFd);
    }

    const long long spawnedAt = monotonicNs();
    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (stderrFd >= 0)
        close(stderrFd);
    const auto childErrors = [&stderrPath, stderrFd] {
        if (stderrFd < 0)
            return std::string();
        std::ifstream file(stderrPath);
        std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::remove(stderrPath);
        return text;
    };
    if (spawnError != 0) {
        close(pipeFds[0]);
        childErrors();
        run.error = program + ": " + std::strerror(spawnError);
        return run;
    }
    const std::string output = readAll(pipeFds[0]);
    close(pipeFds[0]);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.peakRssKiB = usage.ru_maxrss;
    const std::string errors = childErrors();

    long long idleAt = 0;
    std::istringstream lines(output);
    for (std::string word; lines >> word;)
        if (word == "idle_ns")
            lines >> idleAt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || idleAt == 0) {
        run.error = program + " did not report an idle window (status " + std::to_string(status) + ")\n" + errors;
        return run;
    }
    run.startupMs = static_cast<double>(idleAt - spawnedAt) / 1e6;
    run.ok = true;
    return run;
}

} // namespace vorix::bench
