// The toolkit's own diagnostic lines, which a command-line program must keep off its streams.
#pragma once

// From now on, drops every line the toolkit would print as a warning or debug message.
void SilenceToolkitLog();
