// Removing a job's scratch files when it is interrupted.
#include "accpac/tools/ScratchFiles.h"

#include <pthread.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <mutex>
#include <thread>

namespace accpac {

namespace {

std::mutex registered;
QStringList& prefixes() {
    static QStringList list;
    return list;
}

void removeScratch(const QString& prefix) {
    const QFileInfo info(prefix);
    // Compared by hand: a name filter would read * and [ in the name as patterns.
    for (const QFileInfo& file :
         info.dir().entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!file.fileName().startsWith(info.fileName())) continue;
        if (file.isDir() && !file.isSymLink())
            QDir(file.filePath()).removeRecursively();
        else
            QFile::remove(file.filePath());
    }
}

sigset_t interrupts() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    return set;
}

}  // namespace

void removeScratchFilesOnInterrupt() {
    const sigset_t set = interrupts();
    // Every thread started from here on inherits the mask, so only the
    // waiting thread takes the signals.
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set] {
        int signal = 0;
        if (sigwait(&set, &signal) != 0) return;
        {
            const std::lock_guard lock(registered);
            for (const QString& prefix : prefixes()) removeScratch(prefix);
        }
        // Ended by the signal itself, so that a shell sees an interruption.
        ::signal(signal, SIG_DFL);
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, signal);
        pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
        ::raise(signal);
    }).detach();
}

ScratchFiles::ScratchFiles(QString prefix) : prefix_(std::move(prefix)) {
    // A prefix without a name of its own (a temporary folder that could not
    // be made has the path "") would name every file in its folder.
    if (QFileInfo(prefix_).fileName().isEmpty()) return;
    const std::lock_guard lock(registered);
    prefixes().append(prefix_);
    registered_ = true;
}

ScratchFiles::~ScratchFiles() {
    if (!registered_) return;
    const std::lock_guard lock(registered);
    prefixes().removeOne(prefix_);
}

}  // namespace accpac
