#pragma once
// The platform layer's export macro. libqvwinapi.so is built with hidden
// visibility; what it offers the module, the host program and the tests is
// marked with this macro: the Windows functions and data of the headers in
// winapi/ (with the linkage and signatures they have always had) and the
// host and test API of winapi/host/. Everything else, winapi/internal/
// included, stays inside the library. (Modules mark their own entry points
// with QV_MODULE_EXPORT, winapi/WinExport.h.)
#define QV_WINAPI_API __attribute__((visibility("default")))
