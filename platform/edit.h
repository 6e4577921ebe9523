// An edit box: one line of free text.
#pragma once

#include "platform/wnd.h"

class CEdit : public CWnd {};
