#pragma once
// The driver server's job-side table as the job pipeline reaches it: job key
// -> the job context registered under it. A command restored from a stored
// graph keeps only its job's key and finds the context here each time it is
// asked, so it never holds a pointer to a job that has gone.
//
// The driver server installs its table when it starts and removes it when
// it stops; with none installed every key is unknown.
#include <cstdint>

class GJobContext;

class GJobContextTable {
public:
    GJobContextTable() = default;
    GJobContextTable(const GJobContextTable&) = delete;
    GJobContextTable& operator=(const GJobContextTable&) = delete;
    virtual ~GJobContextTable();

    // The job context under key, or null when the key is not in the table.
    virtual GJobContext* Lookup(uint32_t key) = 0;

    // Makes table the process-wide one (null removes it); the caller keeps
    // it alive while it is installed.
    static void Install(GJobContextTable* table);
    // Through the installed table; null when none is installed.
    static GJobContext* Find(uint32_t key);
};
