#pragma once
#include <string>

namespace kelvaro {

// Makes an interrupted run leave no temporary file behind: SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGUSR1, SIGUSR2 and SIGALRM first remove the temporary files this process is writing, then end
// it as the signal would have; SIGPIPE is ignored (a write to a closed pipe fails instead); SIGXFSZ is
// ignored, so that a write past the file size limit fails (EFBIG) like a full disk instead of
// killing the program. A signal that is ignored when this is called (nohup, a background job)
// stays ignored. Called once, early in main.
void InstallInterruptCleanup();

// Registers an open folder in which this process writes temporary files, so that an interrupt
// removes them (the folder stays open until UnregisterTempFolder). Returns the registration, or
// -1 when all places are taken: such files are then left for the next run to remove.
int RegisterTempFolder(int folderFd);
void UnregisterTempFolder(int registration);

// Puts a file that is moved aside for a while back when an interrupt ends the process meanwhile:
// from construction to Disarm (or destruction) the handler renames backupName over fileName in
// folder (or, with no backupName, removes fileName), then removes recordName there. One at a
// time; where interrupts are not caught (Windows) this does nothing, and the record is what the
// next run puts the file back by.
class InterruptRestore {
public:
    InterruptRestore(const std::string& folder, const std::string& fileName, const std::string& backupName,
                     const std::string& recordName);
    ~InterruptRestore() { Disarm(); }
    InterruptRestore(const InterruptRestore&) = delete;
    InterruptRestore& operator=(const InterruptRestore&) = delete;
    void Disarm();

private:
    int folderFd_ = -1;
};

// The process that wrote a temporary file of this program, from its name
// ".NAME.kelvaro-tmp-PID-N"; 0 for any other name. Safe to call in a signal handler.
long TempFileOwner(const char* name);

} // namespace kelvaro
