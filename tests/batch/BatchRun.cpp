#include "BatchRun.h"

#include <sys/wait.h>

#include <cstdlib>

#include "TempDir.h"

namespace {

// Appends s to the shell command as one quoted word. Built piece by piece: GCC 12 sees a false
// overlap in `" " + std::string` once it is inlined (-Wrestrict).
void AppendWord(std::string& command, const std::string& s) {
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
#ifndef KELVARO_BATCH_EXE
#error "KELVARO_BATCH_EXE must name the built kelvaro-batch"
#endif
    TempDir io;
    std::string command;
    AppendWord(command, KELVARO_BATCH_EXE);
    for (const std::string& a : args) AppendWord(command, a);
    for (const auto& [redirect, file] : {std::pair{" <", io.Write("in", input)}, {" >", io.File("out")},
                                         {" 2>", io.File("err")}}) {
        command += redirect;
        AppendWord(command, file);
    }
    BatchResult r;
    int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = TempDir::Read(io.File("out"));
    r.err = TempDir::Read(io.File("err"));
    return r;
}
