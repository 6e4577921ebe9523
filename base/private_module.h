// The program's own shared modules, which wrap large libraries that only some pictures need.
// They are opened on first use rather than at start-up, so the programs start as fast as before.
#pragma once

#include <string>

// The folder the modules are installed in: lib/snapfold-editor/modules beside the folder of the
// running executable, which holds for the installed programs as for every program of the build
// tree.
std::string PrivateModuleFolder();

// The address of symbol in the module file name inside PrivateModuleFolder(), opened once for
// the whole process; null when the module or the symbol is missing, or a library the module
// needs cannot be loaded. A file that is not a whole shared object is never mapped. Safe to
// call from several threads.
void* FindModuleSymbol(const std::string& name, const char* symbol);

// Why the module file name cannot be opened (missing, damaged, or a library it needs is
// missing), or empty when it is open.
std::string ModuleProblem(const std::string& name);
