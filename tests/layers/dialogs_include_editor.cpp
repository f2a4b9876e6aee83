// A dialog that reaches up to the main window: the layers must refuse it.
#include "editor/veq_window.h"
