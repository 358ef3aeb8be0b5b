#pragma once
// The two panel windows, "Control Display" and "Movement Controls", with every
// control bound to its setting and id.

void build_control_panel();

// Handles to the panel objects the callbacks address later: null until the panel
// is built; each build overwrites them.
class PanelWindow;
class PanelRotation;
class PanelTextField;
class PanelListBox;
class PanelSpinner;
extern PanelWindow* control_glui;      // "Control Display"
extern PanelWindow* movement_glui;     // "Movement Controls"
extern PanelRotation* rotate_control;  // "Rotate" ball
extern PanelTextField* folder_field;   // "Folder:"
extern PanelTextField* title_field;    // "Title:"
extern PanelTextField* columns_field;  // "Columns:"
extern PanelTextField* filter_field;   // "File filter:"
extern PanelListBox* files_list;       // "Files:"
extern PanelSpinner* red_spinner;
extern PanelSpinner* green_spinner;
extern PanelSpinner* blue_spinner;
extern PanelSpinner* light1_intensity_spinner;
extern PanelSpinner* light2_intensity_spinner;
