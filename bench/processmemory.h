#pragma once

#include <QtGlobal>

// Memory of a running process in KiB, from /proc/<pid>/smaps_rollup:
// resident, its proportional share (each shared page divided among the
// processes that map it, so the shares of many processes add up), and its
// own dirty pages (what one more such process costs at the least).
struct Memory
{
    int rss = 0;
    int pss = 0;
    int privateDirty = 0;
};

Memory MemoryOf(qint64 pid);
