// The scratch files of a long job (a company's creation, an import, a load
// into a server), removed when the job is interrupted as well as when it
// fails: a load of ten million documents stopped with Ctrl+C would otherwise
// leave gigabytes in the user's folder or the temporary folder.
#pragma once

#include <QString>

namespace accpac {

// Makes SIGINT, SIGTERM and SIGHUP remove the scratch files registered at
// that moment before the process ends as the signal would end it. A
// program calls it first thing, before it starts any thread: the signals
// are then taken by a thread of their own, where the removal may do what
// a signal handler may not.
void removeScratchFilesOnInterrupt();

// While it lives, the files and folders beside `prefix` whose names start
// with its last part (`company.trovex.building`, its `-others`, `-wal`...)
// are scratch files. Their owner removes them as usual when the job ends.
class ScratchFiles {
public:
    explicit ScratchFiles(QString prefix);
    ~ScratchFiles();
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

private:
    QString prefix_;
    bool registered_ = false;
};

}  // namespace accpac
