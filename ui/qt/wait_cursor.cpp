#include "ui/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace {
int g_shown = 0;
} // namespace

CWaitCursor::CWaitCursor() {
    // Paint and cursor requests wait for the event loop, which the work about to run would hold
    // up; they are handled now, but no input, which the user gave for after the work.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++g_shown;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

CWaitCursor::~CWaitCursor() {
    --g_shown;
    QApplication::restoreOverrideCursor();
}

bool IsWaitCursorShown() {
    return g_shown > 0;
}
