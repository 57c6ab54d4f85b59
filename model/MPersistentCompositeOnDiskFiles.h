#pragma once
// The process-wide state of the on-disk composites: the list of open files
// (file name -> the shared MPersistentCompositeOnDiskImp, at most one entry
// per name, names compared exactly) and the recursive on-disk lock that
// guards the list and every change of an open file. An entry stays while
// any composite or copy holds its implementation; the last one to let go
// removes it, which closes the file. At exit the list is emptied.
#include <cstddef>

#include "model/GCountedPtr.h"
#include "rw/RWCString.h"
#include "rw/RWLazyCriticalSection.h"

class MPersistentCompositeOnDiskFiles {
public:
    static RWLazyCriticalSection& Lock();

    // The implementation listed under name, or a null pointer. Call under
    // the lock.
    static GCountedPtr Find(const RWCString& name);
    static void Add(const RWCString& name, const GCountedPtr& imp);
    // Removes name's entry when the list's reference is the only one left
    // (releasing it closes the file).
    static void ReleaseIfUnused(const RWCString& name);
    static size_t Entries();
};
