#include "image/toolkit_log.h"

#include "base/quiet_stderr.h"

#include <QtGlobal>

namespace {

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void SilenceToolkitLog() {
    qInstallMessageHandler(DropMessage);
    // Some decoders print past the toolkit's log, straight onto standard error.
    EnableQuietStderr();
}
