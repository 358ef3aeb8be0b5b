#pragma once
// The two panel windows, "Control Display" and "Movement Controls", with every
// control bound to its setting and id.

void build_control_panel();
