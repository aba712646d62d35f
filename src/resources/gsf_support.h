#pragma once
// Small conveniences for using libgsf from C++: owning pointers to its GObjects, and the
// one-time library set-up.
#include <glib-object.h>

#include <memory>

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};

// Owns one reference to a GObject (a GsfInput, GsfInfile, GsfOutput, ...).
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Initialises libgsf on first use; later calls do nothing.
void InitialiseGsf();
