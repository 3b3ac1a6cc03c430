#include "platform/Interrupts.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>

#if defined(__linux__)
#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace kelvaro {

long TempFileOwner(const char* name) {
    // Plain loops only: the signal handler calls this.
    static const char kMarker[] = ".kelvaro-tmp-";
    constexpr std::size_t kMarkerLength = sizeof kMarker - 1;
    if (name[0] != '.') return 0;
    const char* found = nullptr;
    for (const char* p = name + 1; *p; ++p) {
        std::size_t k = 0;
        while (k < kMarkerLength && p[k] == kMarker[k]) ++k;
        if (k == kMarkerLength) found = p;
    }
    if (!found || found == name + 1) return 0;
    const char* p = found + kMarkerLength;
    long pid = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        if (digits == 9) return 0;
        pid = pid * 10 + (*p - '0');
    }
    if (digits == 0 || *p != '-' || !p[1]) return 0;
    for (++p; *p; ++p)
        if (*p < '0' || *p > '9') return 0;
    return pid;
}

#if defined(__linux__)

namespace {

// A registered folder's descriptor + 1; 0 for a free place. A generation writes thousands of
// temporary files in one folder, so the handler is given folders and removes this process's own
// temporary files in them, rather than a list of every file.
constexpr int kPlaces = 64;
std::atomic<int> g_folders[kPlaces];
static_assert(std::atomic<int>::is_always_lock_free);

// Removes this process's temporary files in the folder; raw system calls only (no allocation,
// no lock), as a signal handler may use. Removing entries while reading the folder may hide
// others from the listing, so the folder is read again until a pass removes nothing.
void RemoveOwnTempFiles(int folderFd, long self) {
    alignas(8) static char buffer[16384]; // only the handler uses it, with the other signals blocked
    for (int pass = 0; pass < 16; ++pass) {
        bool removed = false;
        if (lseek(folderFd, 0, SEEK_SET) < 0) return;
        for (;;) {
            const long got = syscall(SYS_getdents64, folderFd, buffer, sizeof buffer);
            if (got <= 0) break;
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
                if (TempFileOwner(entry->d_name) == self && unlinkat(folderFd, entry->d_name, 0) == 0) removed = true;
                at += entry->d_reclen;
            }
        }
        if (!removed) return;
    }
}

// The file an InterruptRestore guards: its folder's descriptor + 1 (0 when none is guarded) and
// the names in it. The names are written before the folder is set and read only while it is.
std::atomic<int> g_restoreFolder{0};
char g_restoreFile[256], g_restoreBackup[256], g_restoreRecord[64];

bool CopyName(char* to, std::size_t size, const std::string& name) {
    if (name.size() >= size) return false;
    name.copy(to, name.size());
    to[name.size()] = '\0';
    return true;
}

void OnInterrupt(int signal) {
    const int savedErrno = errno;
    const long self = static_cast<long>(getpid());
    if (const int fd = g_restoreFolder.exchange(0) - 1; fd >= 0) {
        const bool back = g_restoreBackup[0] ? renameat(fd, g_restoreBackup, fd, g_restoreFile) == 0
                                             : unlinkat(fd, g_restoreFile, 0) == 0 || errno == ENOENT;
        if (back) unlinkat(fd, g_restoreRecord, 0);
    }
    for (std::atomic<int>& place : g_folders) {
        const int fd = place.load() - 1;
        if (fd >= 0) RemoveOwnTempFiles(fd, self);
    }
    // The signal is blocked while this runs: raised again, it ends the process the moment the
    // handler returns, with the status a shell expects from that signal.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
    errno = savedErrno;
}

} // namespace

void InstallInterruptCleanup() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);

    // A closed pipe makes the write fail (EPIPE) instead of ending the run mid-write.
    struct sigaction pipeAction {};
    if (sigaction(SIGPIPE, nullptr, &pipeAction) == 0 && pipeAction.sa_handler == SIG_DFL)
        sigaction(SIGPIPE, &ignore, nullptr);

    // Every signal whose default action ends the process and that a program may catch.
    const int interrupts[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM};
    struct sigaction cleanup {};
    cleanup.sa_handler = OnInterrupt;
    sigemptyset(&cleanup.sa_mask);
    for (int s : interrupts) sigaddset(&cleanup.sa_mask, s);
    for (int s : interrupts) {
        struct sigaction old {};
        if (sigaction(s, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) sigaction(s, &cleanup, nullptr);
    }
}

int RegisterTempFolder(int folderFd) {
    if (folderFd < 0) return -1;
    for (int i = 0; i < kPlaces; ++i) {
        int expected = 0;
        if (g_folders[i].compare_exchange_strong(expected, folderFd + 1)) return i;
    }
    return -1;
}

void UnregisterTempFolder(int registration) {
    if (registration >= 0 && registration < kPlaces) g_folders[registration].store(0);
}

InterruptRestore::InterruptRestore(const std::string& folder, const std::string& fileName,
                                   const std::string& backupName, const std::string& recordName) {
    // Names too long to keep are left to the record.
    if (g_restoreFolder.load() != 0 || !CopyName(g_restoreFile, sizeof g_restoreFile, fileName) ||
        !CopyName(g_restoreBackup, sizeof g_restoreBackup, backupName) ||
        !CopyName(g_restoreRecord, sizeof g_restoreRecord, recordName))
        return;
    folderFd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ >= 0) g_restoreFolder.store(folderFd_ + 1);
}

void InterruptRestore::Disarm() {
    if (folderFd_ < 0) return;
    g_restoreFolder.store(0);
    close(folderFd_);
    folderFd_ = -1;
}

#else

// Elsewhere an interrupted run leaves its temporary files to the next run, which removes them.
void InstallInterruptCleanup() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

int RegisterTempFolder(int) { return -1; }

void UnregisterTempFolder(int) {}

InterruptRestore::InterruptRestore(const std::string&, const std::string&, const std::string&, const std::string&) {}

void InterruptRestore::Disarm() {}

#endif

} // namespace kelvaro
