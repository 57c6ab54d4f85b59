#pragma once
// The two fixed message catalogues of the class library. Each entry has an
// accessor named after its tag; only the format text is read at run time.
#include <cstdint>

struct RWCatalogEntry {
    const char* catalogue;
    uint32_t id;
    const char* format;
    uint32_t reserved;
};

// Tools catalogue (0x2000..0x2015).
const RWCatalogEntry* RWTOOL_ALLOCOUT();
const RWCatalogEntry* RWTOOL_BADRE();
const RWCatalogEntry* RWTOOL_CRABS();
const RWCatalogEntry* RWTOOL_FLIST();
const RWCatalogEntry* RWTOOL_ID();
const RWCatalogEntry* RWTOOL_INDEX();
const RWCatalogEntry* RWTOOL_LOCK();
const RWCatalogEntry* RWTOOL_LONGINDEX();
const RWCatalogEntry* RWTOOL_MAGIC();
const RWCatalogEntry* RWTOOL_NEVECL();
const RWCatalogEntry* RWTOOL_NOCREATE();
const RWCatalogEntry* RWTOOL_NOTALLOW();
const RWCatalogEntry* RWTOOL_READERR();
const RWCatalogEntry* RWTOOL_REF();
const RWCatalogEntry* RWTOOL_SEEKERR();
const RWCatalogEntry* RWTOOL_STREAM();
const RWCatalogEntry* RWTOOL_SUBSTRING();
const RWCatalogEntry* RWTOOL_UNLOCK();
const RWCatalogEntry* RWTOOL_WRITEERR();
const RWCatalogEntry* RWTOOL_INDEXERR();
const RWCatalogEntry* RWTOOL_NPOSINDEX();
const RWCatalogEntry* RWTOOL_NOPERSIST();

// Core catalogue (0x1000..0x100A).
const RWCatalogEntry* RWCORE_EOF();
const RWCatalogEntry* RWCORE_GENERIC();
const RWCatalogEntry* RWCORE_INVADDR();
const RWCatalogEntry* RWCORE_LOCK();
const RWCatalogEntry* RWCORE_NOINIT();
const RWCatalogEntry* RWCORE_NOMEM();
const RWCatalogEntry* RWCORE_OPERR();
const RWCatalogEntry* RWCORE_OUTALLOC();
const RWCatalogEntry* RWCORE_OVFLOW();
const RWCatalogEntry* RWCORE_STREAM();
const RWCatalogEntry* RWCORE_SYNSTREAM();
