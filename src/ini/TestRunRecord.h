#pragma once
#include <string>

#include "core/Outcome.h"

namespace kelvaro {

// A test run moves the game's INI file aside while the emulator runs. Before it moves anything it
// leaves a record of what it does in the INI folder, so that a run ended without a chance to put
// the file back (killed, the power gone) is undone by the next run of the program there.

// The record's name in the INI folder.
inline constexpr char kTestRunRecordName[] = ".kelvaro-test-run";

// Notes that fileName in folder is about to be moved to backupName (empty when there is no file
// to move) and replaced by bytes for the test.
Outcome NoteTestRun(const std::string& folder, const std::string& fileName, const std::string& backupName,
                    const std::string& bytes);

// Removes the record once the folder is as it was.
void ForgetTestRun(const std::string& folder);

// Undoes what a test run that did not end left in folder; the caller holds the folder's lock. The
// user's file goes back in place of the test's file; when the file there is no longer the test's,
// both stay and the answer says so. Returns what was done, as a sentence for the user; empty when
// no test run had left anything.
std::string RestoreLeftTestRun(const std::string& folder);

// The same, for a caller that does not hold the lock: while another run of the program holds the
// folder (a test run going on) nothing is done.
std::string RestoreLeftTestRunNow(const std::string& folder);

} // namespace kelvaro
