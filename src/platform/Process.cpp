#include "platform/Process.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <windows.h>

#include "platform/Wide.h"
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace kelvaro {

namespace {

using Sink = std::function<bool(const char*, std::size_t)>;

// How often the windows get a chance to paint while a program runs.
constexpr int kPumpIntervalMs = 25;

using Clock = std::chrono::steady_clock;

// Calls pump when the interval has passed since the last call.
class Pumper {
public:
    explicit Pumper(const std::function<void()>& pump) : pump_(pump), last_(Clock::now()) {}
    void MaybePump() {
        if (!pump_) return;
        auto now = Clock::now();
        if (now - last_ >= std::chrono::milliseconds(kPumpIntervalMs)) {
            last_ = now;
            pump_();
        }
    }
    void Pump() {
        if (pump_) {
            last_ = Clock::now();
            pump_();
        }
    }
    [[nodiscard]] bool Active() const { return static_cast<bool>(pump_); }

private:
    const std::function<void()>& pump_;
    Clock::time_point last_;
};

// When a run must be over: at its time limit (none when zero), or as soon as endRequested (when
// given) says so. Once the request has come it stays.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds limit, const std::function<bool()>* endRequested = nullptr)
        : set_(limit > std::chrono::milliseconds::zero()), at_(Clock::now() + limit),
          endRequested_(endRequested && *endRequested ? endRequested : nullptr) {}
    [[nodiscard]] bool Passed() const { return EndRequested() || (set_ && Clock::now() >= at_); }
    [[nodiscard]] bool EndRequested() const {
        if (!requested_ && endRequested_) requested_ = (*endRequested_)();
        return requested_;
    }
    // Marks how a run that did not end by itself was ended.
    void Mark(ProcessExit& exit) const {
        exit.EndedOnRequest = requested_;
        exit.TimedOut = !requested_;
    }
    // How long to wait at most: `wanted` (-1 for as long as it takes), cut to the time left; a
    // request to end is looked for every few milliseconds.
    [[nodiscard]] int Wait(int wanted) const {
        if (endRequested_ && wanted < 0) wanted = kPumpIntervalMs;
        if (!set_) return wanted;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at_ - Clock::now()).count();
        const int rest = left <= 0 ? 0 : static_cast<int>(std::min<long long>(left + 1, 1 << 30));
        return wanted < 0 ? rest : std::min(wanted, rest);
    }

private:
    bool set_;
    Clock::time_point at_;
    const std::function<bool()>* endRequested_;
    mutable bool requested_ = false;
};

#ifdef _WIN32

// One argument quoted for the C runtime's command-line parser.
std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string out = "\"";
    for (std::size_t i = 0;; ++i) {
        std::size_t backslashes = 0;
        while (i < arg.size() && arg[i] == '\\') {
            ++i;
            ++backslashes;
        }
        if (i == arg.size()) {
            out.append(backslashes * 2, '\\');
            break;
        }
        if (arg[i] == '"') {
            out.append(backslashes * 2 + 1, '\\');
            out += '"';
        } else {
            out.append(backslashes, '\\');
            out += arg[i];
        }
    }
    out += '"';
    return out;
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = QuoteArgument(program);
    for (const std::string& a : args) {
        line += ' ';
        line += QuoteArgument(a);
    }
    return line;
}

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

ProcessExit WaitForProcess(HANDLE process, Pumper& pumper, const Deadline& deadline) {
    bool timedOut = false;
    for (;;) {
        const int wait = deadline.Wait(pumper.Active() ? kPumpIntervalMs : -1);
        if (WaitForSingleObject(process, wait < 0 ? INFINITE : static_cast<DWORD>(wait)) != WAIT_TIMEOUT) break;
        if (deadline.Passed()) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
            timedOut = true;
            break;
        }
        pumper.Pump();
    }
    ProcessExit exit;
    if (timedOut) {
        deadline.Mark(exit);
        return exit;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code))
        exit.Error = LastError();
    else
        exit.ExitCode = static_cast<int>(code);
    return exit;
}

ProcessExit Run(const std::string& program, const std::vector<std::string>& args, const std::string& workingFolder,
                bool showWindow, const Sink* onOutput, const Sink* onError, const std::function<void()>& pump,
                const Deadline& deadline) {
    Pumper pumper(pump);
    std::wstring line = WideText(CommandLine(program, args));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = showWindow ? SW_SHOWNORMAL : SW_HIDE;

    // One pipe per stream that is read; a standard error that is not read goes to NUL.
    HANDLE readEnds[2] = {nullptr, nullptr}, writeEnds[2] = {nullptr, nullptr};
    HANDLE nul = INVALID_HANDLE_VALUE;
    auto closeAll = [&] {
        for (HANDLE& h : writeEnds)
            if (h) CloseHandle(std::exchange(h, nullptr));
        if (nul != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(nul, INVALID_HANDLE_VALUE));
    };
    if (onOutput) {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        for (int i = 0; i < (onError ? 2 : 1); ++i) {
            if (!CreatePipe(&readEnds[i], &writeEnds[i], &sa, 1 << 20)) {
                const std::error_code error = LastError();
                closeAll();
                for (HANDLE h : readEnds)
                    if (h) CloseHandle(h);
                return {.Error = error};
            }
            SetHandleInformation(readEnds[i], HANDLE_FLAG_INHERIT, 0);
        }
        if (!onError)
            nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
        si.dwFlags |= STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = writeEnds[0];
        si.hStdError = onError ? writeEnds[1] : nul;
    }
    PROCESS_INFORMATION pi{};
    const std::wstring exe = WideText(program), folder = WideText(workingFolder);
    BOOL started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &si, &pi);
    const std::error_code startError = started ? std::error_code() : LastError();
    closeAll();
    if (!started) {
        for (HANDLE h : readEnds)
            if (h) CloseHandle(h);
        return {.Error = startError};
    }
    CloseHandle(pi.hThread);
    if (onOutput) {
        const Sink* sinks[2] = {onOutput, onError};
        bool wanted[2] = {true, true};
        std::vector<char> buf(1 << 16);
        for (;;) {
            bool anyOpen = false, anyRead = false;
            for (int i = 0; i < 2; ++i) {
                if (!readEnds[i]) continue;
                DWORD avail = 0;
                if (!PeekNamedPipe(readEnds[i], nullptr, 0, nullptr, &avail, nullptr)) {
                    CloseHandle(std::exchange(readEnds[i], nullptr)); // the program closed its end
                    continue;
                }
                anyOpen = true;
                if (avail == 0) continue;
                DWORD n = 0;
                if (!ReadFile(readEnds[i], buf.data(), static_cast<DWORD>(buf.size()), &n, nullptr) || n == 0) {
                    CloseHandle(std::exchange(readEnds[i], nullptr));
                    continue;
                }
                anyRead = true;
                if (wanted[i]) wanted[i] = (*sinks[i])(buf.data(), n);
            }
            if (!anyOpen || deadline.Passed()) break;
            if (!anyRead &&
                WaitForSingleObject(pi.hProcess, static_cast<DWORD>(deadline.Wait(kPumpIntervalMs))) == WAIT_OBJECT_0) {
                // Ended: whatever is left in the pipes is read on the next turns, then they close.
                bool left = false;
                for (HANDLE h : readEnds) {
                    DWORD avail = 0;
                    if (h && PeekNamedPipe(h, nullptr, 0, nullptr, &avail, nullptr) && avail > 0) left = true;
                }
                if (!left) break;
            }
            pumper.MaybePump();
        }
        for (HANDLE h : readEnds)
            if (h) CloseHandle(h);
    }
    ProcessExit exit = WaitForProcess(pi.hProcess, pumper, deadline);
    CloseHandle(pi.hProcess);
    return exit;
}

#else

// The child's end of a wait: pidfd_open gives a descriptor that poll wakes on at its exit; on
// an older kernel, -1, and the wait falls back to polling the status.
int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

std::error_code LastErrno() { return {errno, std::generic_category()}; }

ProcessExit ExitOf(int status) {
    ProcessExit exit;
    if (WIFEXITED(status))
        exit.ExitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        exit.Signal = WTERMSIG(status);
    return exit;
}

ProcessExit WaitForChild(pid_t pid, Pumper& pumper, const Deadline& deadline) {
    int status = 0;
    if (deadline.Passed()) {
        // Past its time: ended here, whatever it is doing.
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR) return {.Error = LastErrno()};
        ProcessExit exit = ExitOf(status);
        deadline.Mark(exit);
        return exit;
    }
    if (!pumper.Active() && deadline.Wait(-1) < 0) {
        while (waitpid(pid, &status, 0) < 0)
            if (errno != EINTR) return {.Error = LastErrno()};
        return ExitOf(status);
    }
    int pidfd = OpenPidFd(pid);
    for (;;) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) break;
        if (r < 0 && errno != EINTR) {
            const std::error_code error = LastErrno();
            if (pidfd >= 0) close(pidfd);
            return {.Error = error};
        }
        const int wait = deadline.Wait(kPumpIntervalMs);
        if (pidfd >= 0) {
            pollfd p{pidfd, POLLIN, 0};
            poll(&p, 1, wait);
        } else {
            poll(nullptr, 0, wait);
        }
        if (deadline.Passed() && waitpid(pid, &status, WNOHANG) != pid) {
            if (pidfd >= 0) close(pidfd);
            return WaitForChild(pid, pumper, deadline);
        }
        pumper.MaybePump();
    }
    if (pidfd >= 0) close(pidfd);
    return ExitOf(status);
}

// A relative program path names a file as seen from the caller's folder, not the child's.
std::string ProgramPath(const std::string& program) {
    if (program.find('/') == std::string::npos || program[0] == '/') return program;
    std::error_code ec;
    auto abs = std::filesystem::absolute(program, ec);
    return ec ? program : abs.string();
}

class FileActions {
public:
    FileActions() { ok_ = posix_spawn_file_actions_init(&fa_) == 0; }
    ~FileActions() {
        if (ok_) posix_spawn_file_actions_destroy(&fa_);
    }
    posix_spawn_file_actions_t* get() { return &fa_; }
    [[nodiscard]] bool ok() const { return ok_; }

private:
    posix_spawn_file_actions_t fa_;
    bool ok_ = false;
};

ProcessExit Run(const std::string& program, const std::vector<std::string>& args, const std::string& workingFolder,
                bool /*showWindow*/, const Sink* onOutput, const Sink* onError, const std::function<void()>& pump,
                const Deadline& deadline) {
    if (program.empty()) return {.Error = std::make_error_code(std::errc::no_such_file_or_directory)};
    Pumper pumper(pump);
    std::string path = ProgramPath(program);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    FileActions fa;
    if (!fa.ok()) return {.Error = std::make_error_code(std::errc::not_enough_memory)};
    // One pipe per stream that is read; a standard error that is not read goes to /dev/null.
    int outFds[2] = {-1, -1}, errFds[2] = {-1, -1};
    auto closeFds = [](int(&fds)[2]) {
        for (int& fd : fds)
            if (fd >= 0) close(std::exchange(fd, -1));
    };
    if (onOutput) {
        if (pipe2(outFds, O_CLOEXEC) != 0 || (onError && pipe2(errFds, O_CLOEXEC) != 0)) {
            const std::error_code error = LastErrno();
            closeFds(outFds);
            return {.Error = error};
        }
        // A bigger pipe lets a program that writes hundreds of megabytes run with fewer stalls.
        fcntl(outFds[0], F_SETPIPE_SZ, 1 << 20);
        posix_spawn_file_actions_adddup2(fa.get(), outFds[1], STDOUT_FILENO);
        if (onError)
            posix_spawn_file_actions_adddup2(fa.get(), errFds[1], STDERR_FILENO);
        else
            posix_spawn_file_actions_addopen(fa.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(fa.get(), workingFolder.c_str());

    // The program ignores SIGXFSZ for its own writes; the emulator gets the default back.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);

    // glibc's posix_spawn reports a failed chdir or exec as its result, so "cannot start" is
    // known here and not mistaken for an exit code of the program.
    pid_t pid = -1;
    int err = path.find('/') == std::string::npos
                  ? posix_spawnp(&pid, path.c_str(), fa.get(), &attr, argv.data(), ::environ)
                  : posix_spawn(&pid, path.c_str(), fa.get(), &attr, argv.data(), ::environ);
    posix_spawnattr_destroy(&attr);
    for (int* writeEnd : {&outFds[1], &errFds[1]})
        if (*writeEnd >= 0) close(std::exchange(*writeEnd, -1));
    if (err != 0) {
        closeFds(outFds);
        closeFds(errFds);
        return {.Error = std::error_code(err, std::generic_category())};
    }

    if (onOutput) {
        struct Stream {
            int fd;
            const Sink* sink;
            bool wanted;
        };
        Stream streams[2] = {{outFds[0], onOutput, true}, {errFds[0], onError, true}};
        std::vector<char> buf(1 << 18);
        for (;;) {
            pollfd polled[2];
            Stream* of[2];
            nfds_t count = 0;
            for (Stream& stream : streams) {
                if (stream.fd < 0) continue;
                polled[count] = {stream.fd, POLLIN, 0};
                of[count++] = &stream;
            }
            if (count == 0 || deadline.Passed()) break;
            int r = poll(polled, count, deadline.Wait(pumper.Active() ? kPumpIntervalMs : -1));
            if (r < 0 && errno != EINTR) break;
            for (nfds_t i = 0; r > 0 && i < count; ++i) {
                if (polled[i].revents == 0) continue;
                Stream& stream = *of[i];
                ssize_t n = read(stream.fd, buf.data(), buf.size());
                if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
                if (n <= 0) {
                    close(std::exchange(stream.fd, -1));
                    continue;
                }
                // After the reader has had enough, the rest is drained unread so that the
                // program is not stopped by a full pipe.
                if (stream.wanted) stream.wanted = (*stream.sink)(buf.data(), static_cast<std::size_t>(n));
            }
            pumper.MaybePump();
        }
        for (Stream& stream : streams)
            if (stream.fd >= 0) close(stream.fd);
    }
    return WaitForChild(pid, pumper, deadline);
}

#endif

} // namespace

ProcessExit ShellAndWait(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingFolder, bool showWindow, const std::function<void()>& pump) {
    return Run(program, args, workingFolder, showWindow, nullptr, nullptr, pump, Deadline({}));
}

ProcessExit RunAndReadOutput(const std::string& program, const std::vector<std::string>& args,
                             const std::string& workingFolder,
                             const std::function<bool(const char* data, std::size_t size)>& onOutput,
                             const std::function<void()>& pump, std::chrono::milliseconds timeLimit,
                             const std::function<bool()>& endRequested) {
    Sink sink = onOutput ? onOutput : [](const char*, std::size_t) { return true; };
    return Run(program, args, workingFolder, false, &sink, nullptr, pump, Deadline(timeLimit, &endRequested));
}

ProcessExit RunAndReadBothOutputs(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& workingFolder, bool showWindow,
                                  const std::function<void(const char* data, std::size_t size)>& onOutput,
                                  const std::function<void(const char* data, std::size_t size)>& onError,
                                  const std::function<void()>& pump) {
    auto wrap = [](const std::function<void(const char*, std::size_t)>& to) -> Sink {
        return [&to](const char* data, std::size_t size) {
            if (to) to(data, size);
            return true;
        };
    };
    const Sink out = wrap(onOutput), err = wrap(onError);
    return Run(program, args, workingFolder, showWindow, &out, &err, pump, Deadline({}));
}

} // namespace kelvaro
