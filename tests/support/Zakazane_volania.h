#pragma once
// Calls of this process denied from now on, as a failing disk or a folder
// that forbids them would deny them: a seccomp filter, so every later call
// of those numbers fails with the error given, whoever makes it. For a
// process forked off for the purpose: a filter cannot be taken back.
#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <cstddef>
#include <initializer_list>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <vector>

// `volania` (syscall numbers) fail with `chyba`; with `fd` at least 0, only
// the calls whose first argument is that descriptor.
inline bool Zakaz_volania(std::initializer_list<int> volania, int chyba, int fd = -1)
{
    std::vector<sock_filter> f{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    // A match jumps past the allowing return that follows the comparisons.
    __u8 skok = __u8(volania.size());
    for (const int volanie : volania)
        f.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(volanie), skok--, 0));
    f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    if (fd >= 0) { // the low half of the first argument
        f.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])));
        f.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(fd), 1, 0));
        f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    }
    f.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | __u32(chyba)));
    const sock_fprog program{__u16(f.size()), f.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// The descriptors this process has open on a file whose path ends in `koniec`.
inline QList<int> Otvorene_subory(const QString &koniec)
{
    QList<int> otvorene;
    for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
        if (fd.symLinkTarget().endsWith(koniec))
            otvorene << fd.fileName().toInt();
    return otvorene;
}
