// Icons from the program's resources.
#pragma once

#include "ui/types.h"

// Null for an identifier that names no icon. The same identifier gives the same handle.
HICON LoadIconResource(int id);
