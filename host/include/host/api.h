// Marks the host library's public API: everything else in libnotes-host.so is hidden.
#pragma once

#define LNAPI __attribute__((visibility("default")))
