#include "tests/support/gui_support.h"
