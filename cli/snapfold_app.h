// The snapfold command line: parses it, runs the one subcommand it names, and gives the status.
#pragma once

int RunSnapfold(int argc, char** argv);
