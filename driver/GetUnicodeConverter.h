#pragma once
// The process-wide Unicode converter of the job side, made by the installed
// platform services on first use and deleted at exit; null while they make
// none. Callers do not own it.
class GUnicodeConverter;

GUnicodeConverter* GetUnicodeConverter();
