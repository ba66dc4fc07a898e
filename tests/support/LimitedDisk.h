#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Faults of a full disk, made in a child process so that they never touch the test runner.
// The action's result is the child's exit status (0 for "as expected"); what it finds wrong
// it says on standard error.

namespace limited_disk {

// Tell the child's own troubles apart from the action's results.
inline constexpr int MountRefused = 125;
inline constexpr int LimitRefused = 126;

inline int waitFor(pid_t child) {
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace limited_disk

// Runs action where no file may grow past limit bytes, as under a full quota. SIGXFSZ is
// ignored, so that writes past the limit fail with EFBIG instead of ending the process.
inline int runUnderFileSizeLimit(rlim_t limit, const std::function<int()>& action) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            _exit(limited_disk::LimitRefused);
        _exit(action());
    }
    return limited_disk::waitFor(child);
}

// Runs action with a file system of size bytes mounted on folder, in a mount namespace of
// the child's own. Nothing when the system refuses to mount (no privilege for it).
inline std::optional<int> runOnSmallDisk(const QString& folder, qint64 size,
                                         const std::function<int()>& action) {
    const QByteArray where = QFile::encodeName(folder);
    const QByteArray options = "size=" + QByteArray::number(size);
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0)
            _exit(limited_disk::MountRefused);
        _exit(action());
    }
    const int status = limited_disk::waitFor(child);
    if (status == limited_disk::MountRefused)
        return std::nullopt;
    return status;
}
