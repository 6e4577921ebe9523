// Saying that the program is busy: the busy cursor over every window of the program while one
// lives, for work the user waits for on the window's own thread.
#pragma once

class CWaitCursor {
public:
    // Shows the busy cursor at once, before the work that follows blocks the window's thread,
    // and first repaints what is waiting to be painted (the window a chooser covered, for one).
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Whether a CWaitCursor lives now; for tests, which cannot see a cursor's shape offscreen.
bool IsWaitCursorShown();
