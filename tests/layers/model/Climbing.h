// A model header that reaches up into the panes: the layer check must refuse it.
#include "panes/Pane.h"
#include "text/Messages.h"
