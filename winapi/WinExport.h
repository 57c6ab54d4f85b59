#pragma once
// The one export macro. Modules (the driver module and the tests' double
// modules) are built with hidden visibility; only their entry points, marked
// with this macro, are exported, under their Windows names with C linkage.
#define QV_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
