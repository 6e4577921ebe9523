// The toolkit's own diagnostic lines, which a command-line program must keep off its streams,
// and the decoders' lines, which no program of ours shows.
#pragma once

// From now on, drops every line the toolkit would print as a warning or debug message, and
// every line a decoder library prints on standard error while it decodes.
void SilenceToolkitLog();

// From now on, drops the lines the image readers and their libraries print (a damaged colour
// profile in a PNG, for one), which say nothing a user can act on, while the toolkit's other
// messages still reach standard error as before: for the editor, whose own warnings still help
// whoever starts it from a terminal.
void QuietDecoderMessages();
