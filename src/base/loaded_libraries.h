#pragma once
// Keeps every shared library now loaded in the process loaded until the process ends.
//
// The OpenGL driver is loaded when the first context is made and unloaded when the last
// display connection closes. Its caches live until then, so a leak checker that runs at
// exit finds them in a module that is gone and reports them as leaks it cannot name.
// Keeping the driver loaded leaves those caches reachable from its globals, as they are,
// so that a leak report names only what really leaked. The system unloads everything at
// exit anyway.
void KeepLoadedLibrariesUntilExit();
