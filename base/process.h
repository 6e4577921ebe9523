// Process-wide settings every program of ours makes before it touches a file.
#pragma once

// A file-size limit (ulimit -f) must make a write fail with EFBIG, which the save reports and
// undoes, instead of killing the program with SIGXFSZ half-way through replacing a file.
void IgnoreFileSizeSignal();
