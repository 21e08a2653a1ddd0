#pragma once
// Where the dialog's documentation link leads. An installed Feriant carries its README and
// the pictures it shows in its documentation folder, at a fixed place relative to the
// folder of its libraries; the link opens that copy, found from the file the code was
// loaded from. Code that runs from a build tree (or any place without an installed copy
// beside it) opens the README of the source tree it was built from. Plain functions; any
// thread.

#include <filesystem>

namespace feriant::dialog {

// The README for code loaded from `module_file` (a library or a program): the installed
// copy relative to the module's folder when that file exists, the source tree's README
// otherwise.
std::filesystem::path DocumentationFor(const std::filesystem::path& module_file);

// The file this code was loaded from: the shared library that holds it, or the program
// when it is linked in; empty when neither can be found.
std::filesystem::path ThisModuleFile();

}  // namespace feriant::dialog
