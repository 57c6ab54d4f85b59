#pragma once
// The driver's data file on disk: the object graph of the printer's
// configuration saved with the class library's graph persistence on the raw
// binary stream (one polymorphic object pointer: the root).
#include <string>

#include "model/GCountedPtr.h"

class MPersistentObject;

class DataFile {
public:
    // The saved bytes of the graph under root.
    static std::string Save(const MPersistentObject& root);
    // The root restored from bytes with only the data file's classes allowed
    // (DataFileClasses.h); null when the bytes are not a whole graph of them.
    static GCountedPtr Restore(const std::string& bytes);
    // Writes bytes to path through a temporary file beside it, so a reader
    // never sees half a file; false (with nothing left behind) on failure.
    static bool Write(const std::string& path, const std::string& bytes);
    // The bytes of the file at path; false when it cannot be read.
    static bool Read(const std::string& path, std::string& bytes);
};
