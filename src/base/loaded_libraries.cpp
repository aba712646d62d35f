#include "base/loaded_libraries.h"

#include <dlfcn.h>
#include <link.h>

namespace {

int KeepLoaded(dl_phdr_info* info, size_t, void*) {
  // The main program has an empty name and is never unloaded.
  if (info->dlpi_name == nullptr || info->dlpi_name[0] == '\0') return 0;
  // RTLD_NOLOAD finds the library already loaded; RTLD_NODELETE marks it never to be
  // unloaded. The reference taken is kept on purpose.
  dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}

}  // namespace

void KeepLoadedLibrariesUntilExit() { dl_iterate_phdr(KeepLoaded, nullptr); }
