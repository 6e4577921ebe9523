#include "image/toolkit_log.h"

#include "base/quiet_stderr.h"

#include <QtGlobal>

#include <string_view>

namespace {

QtMessageHandler g_passOn = nullptr;

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// The image readers report their libraries' warnings under this category and those below it.
bool FromImageReaders(const QMessageLogContext& context) {
    return context.category != nullptr &&
           std::string_view(context.category).starts_with("qt.gui.imageio");
}

void DropDecoderMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!FromImageReaders(context) && g_passOn != nullptr) {
        g_passOn(type, context, message);
    }
}

} // namespace

void SilenceToolkitLog() {
    qInstallMessageHandler(DropMessage);
    // Some decoders print past the toolkit's log, straight onto standard error.
    EnableQuietStderr();
}

void QuietDecoderMessages() {
    // The handler in place before, the toolkit's default one, keeps printing the rest.
    g_passOn = qInstallMessageHandler(DropDecoderMessage);
    EnableQuietStderr();
}
