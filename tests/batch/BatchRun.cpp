#include "BatchRun.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cstdlib>

#include "TempDir.h"

namespace {

// Appends s to the shell command as one quoted word. Built piece by piece: GCC 12 sees a false
// overlap in `" " + std::string` once it is inlined (-Wrestrict).
void AppendWord(std::string& command, const std::string& s) {
#ifdef _WIN32
    // cmd.exe: inside double quotes everything but the quote itself is taken as it is, and the
    // tests pass no word with a quote in it.
    command += " \"";
    command += s;
    command += '"';
    return;
#endif
    command += " '";
    for (char c : s) {
        if (c == '\'')
            command += "'\\''";
        else
            command += c;
    }
    command += '\'';
}

} // namespace

BatchResult RunBatch(const std::vector<std::string>& args, const std::string& input) {
    TempDir io;
    return RunBatchRedirected(args, io.Write("in", input), "");
}

BatchResult RunBatchRedirected(const std::vector<std::string>& args, const std::string& in, const std::string& out) {
#ifndef KELVARO_BATCH_EXE
#error "KELVARO_BATCH_EXE must name the built kelvaro-batch"
#endif
    TempDir io;
    std::string command;
    AppendWord(command, KELVARO_BATCH_EXE);
    for (const std::string& a : args) AppendWord(command, a);
    for (const auto& [redirect, file] :
         {std::pair{" <", in}, {" >", out.empty() ? io.File("out") : out}, {" 2>", io.File("err")}}) {
        command += redirect;
        AppendWord(command, file);
    }
    BatchResult r;
#ifdef _WIN32
    // cmd /c drops the first and the last quote of a line that starts with one: one more pair
    // keeps the words as they are. Its exit status is the program's exit code.
    r.status = std::system(("\"" + command + "\"").c_str());
#else
    int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    r.out = TempDir::Read(io.File("out"));
    r.err = TempDir::Read(io.File("err"));
    return r;
}

#ifndef _WIN32
pid_t StartBatch(const std::vector<std::string>& args, const std::string& log, int* input, long fileSizeLimit) {
    std::vector<std::string> words = {KELVARO_BATCH_EXE};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (input && pipe(pipeFds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        int in = input ? pipeFds[0] : open("/dev/null", O_RDONLY);
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        if (input) close(pipeFds[1]);
        // As a shell starts it: the signals at their defaults, whatever the test runner ignores.
        for (int s : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ}) std::signal(s, SIG_DFL);
        if (fileSizeLimit > 0) {
            rlimit r{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &r);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (input) {
        close(pipeFds[0]);
        *input = pipeFds[1];
    }
    return pid;
}

int WaitBatch(pid_t pid) {
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid) return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;
}
#endif // _WIN32
