#pragma once

#include <QString>

// The plug-ins that come with the program. Every program that works in the home folder (the
// application and the command-line tool) brings the home folder's "Plugins" up to date with them
// when it starts.

// The folder of the bundled plug-ins: "../lib/quarrybook/plugins" beside the executable when the
// program is installed, otherwise the plug-in output folder of the build tree when the executable
// runs from that tree. Empty when there is none.
QString BundledPluginFolder();

// Copies every plug-in library ("*.so") of `from` into `to` that is missing there or older there.
// A file is replaced by writing a copy beside it and renaming it over the old one, so that a
// library another running instance has loaded is never changed in place; the copy keeps the
// source's modification time, so it counts as up to date at the next start. Files that cannot be
// copied are skipped. Returns the number of files copied.
int CopyBundledPlugins(const QString& from, const QString& to);
