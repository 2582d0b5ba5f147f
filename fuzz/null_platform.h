// A platform seam for fuzz targets: no resources, every message box answered
// OK, fonts and brushes as distinct made-up handles that nothing deletes.
#pragma once

#include "core/content/platform.h"

void install_null_platform();
