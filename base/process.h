// Process-wide settings every program of ours makes before it touches a file.
#pragma once

// A file-size limit (ulimit -f) must make a write fail with EFBIG, which the save reports and
// undoes, instead of killing the program with SIGXFSZ half-way through replacing a file.
void IgnoreFileSizeSignal();

// SIGINT, SIGTERM and SIGHUP, unless already ignored, remove the temporary file of a save in
// progress before the program ends as the signal would have ended it. SIGKILL cannot be caught.
void RemoveTemporaryFileOnSignals();

// The temporary file a save is writing (a path that lives until it is cleared), or null once
// it is renamed or removed. Safe to call from the saving thread while a signal may arrive.
void SetPendingTemporaryFile(const char* path);
