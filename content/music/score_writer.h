#pragma once
// The whole soundtrack as notes: every passage of every section written out by the part
// writers, in order of start.
#include "music/note_event.h"

Score WriteScore();
