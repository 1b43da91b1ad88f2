// SPDX-License-Identifier: GPL-3.0-or-later
// Running trafikon-batch and the log generator as real processes from tests:
// start, wait, kill, and snapshots of a store folder to compare byte by byte.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace trafikon::testing {

// A started process whose stdout and stderr go to files.
class ChildProcess {
  public:
    ChildProcess(const std::vector<std::string>& args, const std::string& outPath,
                 const std::string& errPath, const std::string& inPath = "/dev/null") {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0)
            throw std::runtime_error("cannot start " + args[0]);
        start_ = std::chrono::steady_clock::now();
    }
    ~ChildProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Reap();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits for the end; the exit code, or 128 + the signal that ended it. A
    // process still running after `limitSeconds` is killed and the test told so.
    int Wait(int limitSeconds = 90) {
        const auto deadline = start_ + std::chrono::seconds(limitSeconds);
        int status = 0;
        pid_t done;
        while ((done = ::waitpid(pid_, &status, WNOHANG)) == 0 || (done < 0 && errno == EINTR)) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid_, SIGKILL);
                Reap();
                throw std::runtime_error("a child process was still running after " +
                                         std::to_string(limitSeconds) + " s; killed");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return Ended(status);
    }
    // Sends SIGKILL and waits; true when the process was still running.
    bool Kill() {
        int status = 0;
        const bool running = ::waitpid(pid_, &status, WNOHANG) == 0;
        if (running) {
            ::kill(pid_, SIGKILL);
            Wait();
        } else {
            pid_ = -1;
        }
        return running;
    }
    // Sends `signal` to the running process.
    void Signal(int signal) {
        if (pid_ > 0)
            ::kill(pid_, signal);
    }
    double seconds() const { return std::chrono::duration<double>(elapsed_).count(); }

  private:
    // Collects the process, waiting for its end.
    int Reap() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        return Ended(status);
    }
    // The exit code, or 128 + the signal, of the collected process.
    int Ended(int status) {
        pid_ = -1;
        elapsed_ = std::chrono::steady_clock::now() - start_;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    pid_t pid_ = -1;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::duration elapsed_{};
};

struct RunResult {
    int exitCode = -1;
    std::string out, err;
    double seconds = 0;
};

// Runs a program to its end, its output kept in files of `scratch`.
inline RunResult RunProgram(const std::vector<std::string>& args, const TempDir& scratch,
                            const std::string& outPath = "") {
    const std::string out = outPath.empty() ? scratch / "run.out" : outPath;
    const std::string err = scratch / "run.err";
    ChildProcess child(args, out, err);
    RunResult r;
    r.exitCode = child.Wait();
    r.seconds = child.seconds();
    r.out = outPath.empty() ? ReadRaw(out) : std::string();
    r.err = ReadRaw(err);
    return r;
}

inline std::string Batch() {
    return TRAFIKON_BATCH_EXE;
}

// Writes a generated log of `lines` lines to `path`.
inline void GenerateLog(const TempDir& scratch, const std::string& path, long lines,
                        const std::string& format, int months, const std::string& start, int seed) {
    const RunResult r =
        RunProgram({Batch(), "generate", "--uniform", "--out", path, "--lines",
                    std::to_string(lines), "--format", format, "--months", std::to_string(months),
                    "--start", start, "--seed", std::to_string(seed)},
                   scratch);
    if (r.exitCode != 0)
        throw std::runtime_error("log generator failed: " + r.err);
}

// Every regular file of a folder (not below it) by name, with its bytes.
using FolderSnapshot = std::map<std::string, std::string>;

inline FolderSnapshot Snapshot(const std::string& dir) {
    FolderSnapshot files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = ReadRaw(entry.path().string());
    return files;
}

// Makes the folder hold exactly the files of `snapshot`.
inline void Restore(const std::string& dir, const FolderSnapshot& snapshot) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file() && !snapshot.count(entry.path().filename().string()))
            std::filesystem::remove(entry.path());
    for (const auto& [name, bytes] : snapshot)
        WriteRaw(dir + "/" + name, bytes);
}

// Names of the files that differ between two snapshots (missing on either side included).
inline std::vector<std::string> Differences(const FolderSnapshot& a, const FolderSnapshot& b) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : a)
        if (!b.count(name) || b.at(name) != bytes)
            names.push_back(name);
    for (const auto& [name, bytes] : b)
        if (!a.count(name))
            names.push_back(name);
    return names;
}

inline std::size_t CountLines(const std::string& bytes) {
    std::size_t n = 0;
    for (char c : bytes)
        n += c == '\n';
    return n;
}

}  // namespace trafikon::testing
