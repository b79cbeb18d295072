#pragma once

#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

// Lowers the process's address-space limit to what it uses now plus
// `spareMiB` for as long as it lives, so that an allocation of more fails.
class MemoryCap
{
public:
    explicit MemoryCap(int spareMiB)
    {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly))
            return;
        const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
        if (pages <= 0 || getrlimit(RLIMIT_AS, &m_saved) != 0)
            return;
        struct rlimit capped = m_saved;
        capped.rlim_cur = rlim_t(pages * sysconf(_SC_PAGESIZE) + (qint64(spareMiB) << 20));
        m_active = setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~MemoryCap()
    {
        if (m_active)
            setrlimit(RLIMIT_AS, &m_saved);
    }
    bool active() const { return m_active; }

private:
    struct rlimit m_saved {};
    bool m_active = false;
};
