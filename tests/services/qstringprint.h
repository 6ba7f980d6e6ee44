// Readable QString values in failure messages: the shared printers, under
// the name the service and window tests include.
#pragma once

#include "tests/support/qstringprint.h"
