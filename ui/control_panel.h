#pragma once
// The two panel windows, "Control Display" and "Movement Controls", with every
// control bound to its setting and id.

#include "ui/panel_handles.h"

void build_control_panel();
