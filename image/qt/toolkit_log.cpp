#include "image/toolkit_log.h"

#include <QtGlobal>

namespace {

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void SilenceToolkitLog() {
    qInstallMessageHandler(DropMessage);
}
