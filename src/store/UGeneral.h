#pragma once
// Records and their keyed collections, as the rest of the program uses them.

#include "store/Records.h"
#include "store/TDDirectories.h"
#include "store/TDProjects.h"
