// Keeping decoder libraries' own lines off a program's standard error. Some of them (libpng's
// default error handler, for one) print there directly, past any hook a caller could set; a
// script reading snapfold's messages must see snapfold's alone.
#pragma once

// From now on, QuietStderr scopes take effect; until then they do nothing, so a program that
// never asks keeps its standard error untouched.
void EnableQuietStderr();

// While at least one lives, in any thread, standard error goes to /dev/null. Only decoding runs
// inside one; the program's own messages are written outside.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    bool m_active;
};
