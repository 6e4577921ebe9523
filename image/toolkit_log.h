// The toolkit's own diagnostic lines, which a command-line program must keep off its streams.
#pragma once

// From now on, drops every line the toolkit would print as a warning or debug message, and
// every line a decoder library prints on standard error while it decodes.
void SilenceToolkitLog();
