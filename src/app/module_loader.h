// Modules beside the program: shared objects that the program opens only for the run that
// needs them (the desktop windows when a display is named, the drawing for `plot`), so that
// no other run pays for loading them and the libraries under them. A module's interface is
// a table of plain C functions; see desktop/desktop_module.h and plot/drawing_module.h.
//
// This is the one place that knows how a module is opened. A build for a system without
// shared-object loading leaves this file out and links the modules' code in instead.
#pragma once

#include "source/status.h"

namespace scenario {

// Opens the module `file_name` in the program's own folder, or where an install puts the
// modules (PREFIX/lib/scenario-builder beside PREFIX/bin), and finds `entry_name` in it.
// Fails with a message that names the module's path and whether it is missing or broken.
// An opened module stays loaded until the program ends: its code must outlive every object
// it made, and the run ends soon after.
status load_module_entry(const char* file_name, const char* entry_name, void*& entry);

}  // namespace scenario
