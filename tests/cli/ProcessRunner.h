#pragma once
// Runs the built executables as separate processes: the simulated instrument on its
// pseudo-terminal, and tz7300 against it, as a user would from a shell.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tz::cli::test {

// The build tree's executables, found beside the test executable (build/tests).
inline std::filesystem::path BuiltProgram(const std::string& relative) {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / relative;
}

inline pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& args, int out, int err) {
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, 1);
        ::dup2(err, 2);
        const int devnull = ::open("/dev/null", O_RDONLY);
        ::dup2(devnull, 0);
        ::execv(name.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

inline std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

struct ProcessResult {
    int code = -1;
    std::string out, err;
};

// Runs the program to its end (its output goes through temporary files, so nothing blocks).
inline ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const pid_t pid = Spawn(program, args, ::fileno(out), ::fileno(err));
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProcessResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ::lseek(::fileno(out), 0, SEEK_SET);
    ::lseek(::fileno(err), 0, SEEK_SET);
    result.out = ReadAll(::fileno(out));
    result.err = ReadAll(::fileno(err));
    std::fclose(out);
    std::fclose(err);
    return result;
}

// tz7300-sim running in the background; its first line of output names the device.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args = {}) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return;
        const int devnull = ::open("/dev/null", O_WRONLY);
        pid_ = Spawn(BuiltProgram("src/platform/tz7300-sim"), args, pipeFds[1], devnull);
        ::close(devnull);
        ::close(pipeFds[1]);
        char c;
        while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') device_ += c;
        ::close(pipeFds[0]);
    }
    ~SimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

}  // namespace tz::cli::test
