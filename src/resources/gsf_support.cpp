#include "resources/gsf_support.h"

#include <gsf/gsf-utils.h>

void InitialiseGsf() {
  static const bool initialised = (gsf_init(), true);
  (void)initialised;
}
