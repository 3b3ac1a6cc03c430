#include "BatchRun.h"

#include <sys/wait.h>

#include <cstdlib>

#include "TempDir.h"

namespace {

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

} // namespace

BatchResult RunBatch(const std::vector<std::string>& args, const std::string& input) {
#ifndef KELVARO_BATCH_EXE
#error "KELVARO_BATCH_EXE must name the built kelvaro-batch"
#endif
    TempDir io;
    std::string command = Quote(KELVARO_BATCH_EXE);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " <" + Quote(io.Write("in", input)) + " >" + Quote(io.File("out")) + " 2>" + Quote(io.File("err"));
    BatchResult r;
    int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = TempDir::Read(io.File("out"));
    r.err = TempDir::Read(io.File("err"));
    return r;
}
