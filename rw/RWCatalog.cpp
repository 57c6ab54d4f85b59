#include "rw/RWCatalog.h"

namespace {
constexpr const char* kTools = "rwtool";
constexpr const char* kCore = "rwcore";
} // namespace

#define RW_CATALOG_ENTRY(accessor, cat, id, text)                                                            \
    const RWCatalogEntry* accessor() {                                                                       \
        static constexpr RWCatalogEntry entry{cat, id, text, 0};                                             \
        return &entry;                                                                                       \
    }

RW_CATALOG_ENTRY(RWTOOL_ALLOCOUT, kTools, 0x2000,
                 "[ALLOCOUT] %s destructor called with allocation outstanding")
RW_CATALOG_ENTRY(RWTOOL_BADRE, kTools, 0x2001, "[BADRE] Attempt to use invalid regular expression")
RW_CATALOG_ENTRY(RWTOOL_CRABS, kTools, 0x2002,
                 "[CRABS] RWFactory: attempting to create abstract class with ID %hu (0x%hx)")
RW_CATALOG_ENTRY(RWTOOL_FLIST, kTools, 0x2003, "[FLIST] Free list size error: expected %ld, got %ld")
RW_CATALOG_ENTRY(RWTOOL_ID, kTools, 0x2004, "[ID] Unexpected class ID %hu; should be %hu")
RW_CATALOG_ENTRY(RWTOOL_INDEX, kTools, 0x2005, "[INDEX] Index (%u) out of range [0->%u]")
RW_CATALOG_ENTRY(RWTOOL_LOCK, kTools, 0x2006, "[LOCK] Locked object deleted")
RW_CATALOG_ENTRY(RWTOOL_LONGINDEX, kTools, 0x2007, "[LONGINDEX] Long index (%lu) out of range [0->%lu]")
RW_CATALOG_ENTRY(RWTOOL_MAGIC, kTools, 0x2008, "[MAGIC] Bad magic number: %ld (should be %ld)")
RW_CATALOG_ENTRY(RWTOOL_NEVECL, kTools, 0x2009, "[NEVECL] Unequal vector lengths: %u versus %u")
RW_CATALOG_ENTRY(RWTOOL_NOCREATE, kTools, 0x200A,
                 "[NOCREATE] RWFactory: no create function for class with ID %hu (0x%hx)")
RW_CATALOG_ENTRY(RWTOOL_NOTALLOW, kTools, 0x200B, "[NOTALLOW] Function not allowed for derived class")
RW_CATALOG_ENTRY(RWTOOL_READERR, kTools, 0x200C, "[READERR] Read error")
RW_CATALOG_ENTRY(RWTOOL_REF, kTools, 0x200D, "[REF] Bad persistence reference")
RW_CATALOG_ENTRY(RWTOOL_SEEKERR, kTools, 0x200E, "[SEEKERR] Seek error")
RW_CATALOG_ENTRY(RWTOOL_STREAM, kTools, 0x200F, "[STREAM] Bad input stream")
RW_CATALOG_ENTRY(RWTOOL_SUBSTRING, kTools, 0x2010,
                 "[SUBSTRING] Illegal substring (%d, %u) from %u element RWCString")
RW_CATALOG_ENTRY(RWTOOL_UNLOCK, kTools, 0x2011, "[UNLOCK] Improper use of locked object")
RW_CATALOG_ENTRY(RWTOOL_WRITEERR, kTools, 0x2012, "[WRITEERR] Write error")
RW_CATALOG_ENTRY(RWTOOL_INDEXERR, kTools, 0x2013,
                 "[INDEXERR] Illegal Index (%u) for collection or string with %u elements")
RW_CATALOG_ENTRY(RWTOOL_NPOSINDEX, kTools, 0x2014,
                 "[NPOSINDEX] The value RW_NPOS cannot be used as an index.")
RW_CATALOG_ENTRY(RWTOOL_NOPERSIST, kTools, 0x2015, "[NOPERSIST] Persistence not implemented for type %s.")

RW_CATALOG_ENTRY(RWCORE_EOF, kCore, 0x1000, "[EOF] EOF on input")
RW_CATALOG_ENTRY(RWCORE_GENERIC, kCore, 0x1001, "[GENERIC] Generic error number %d; %s")
RW_CATALOG_ENTRY(RWCORE_INVADDR, kCore, 0x1002, "[INVADDR] Invalid address: %lx")
RW_CATALOG_ENTRY(RWCORE_LOCK, kCore, 0x1003, "[LOCK] Unable to lock memory")
RW_CATALOG_ENTRY(RWCORE_NOINIT, kCore, 0x1004, "[NOINIT] Memory allocated without being initialized")
RW_CATALOG_ENTRY(RWCORE_NOMEM, kCore, 0x1005, "[NOMEM] No memory")
RW_CATALOG_ENTRY(RWCORE_OPERR, kCore, 0x1006, "[OPERR] Could not open file %s")
RW_CATALOG_ENTRY(RWCORE_OUTALLOC, kCore, 0x1007,
                 "[OUTALLOC] Memory released with allocations still outstanding")
RW_CATALOG_ENTRY(RWCORE_OVFLOW, kCore, 0x1008, "[OVFLOW] Overflow error -> \"%.*s\" <- (%u max characters)")
RW_CATALOG_ENTRY(RWCORE_STREAM, kCore, 0x1009, "[STREAM] Bad input stream")
RW_CATALOG_ENTRY(RWCORE_SYNSTREAM, kCore, 0x100A,
                 "[SYNSTREAM] Syntax error in input stream: expected %s, got %s")
