// A pane header that uses the model below it: the layer check must accept it.
#include "model/Database.h"
#include "panes/Pane.h"
