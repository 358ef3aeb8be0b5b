#include "ui/control_panel.h"

void build_control_panel() {}
