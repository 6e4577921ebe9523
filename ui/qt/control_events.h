// Turning a control's signals into the events its dialog's event table dispatches.
#pragma once

#include "ui/qt/dialog_window.h"

#include <QWidget>

class CDialog;

void ConnectControlEvents(CDialog& dialog, int id, QWidget* widget, DialogWindow* window);
