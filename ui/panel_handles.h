#pragma once
// Handles to the panel objects the callbacks address after the panel is built:
// null until then. Each build of the panel overwrites them.

class PanelWindow;
class PanelRotation;
class PanelTextField;
class PanelListBox;
class PanelSpinner;
extern PanelWindow* control_glui;     // "Control Display"
extern PanelWindow* movement_glui;    // "Movement Controls"
extern PanelRotation* rotate_control; // "Rotate" ball
extern PanelTextField* folder_field;  // "Folder:"
extern PanelTextField* filter_field;  // "File filter:"
extern PanelListBox* files_list;      // "Files:"
extern PanelSpinner* red_spinner;
extern PanelSpinner* green_spinner;
extern PanelSpinner* blue_spinner;
extern PanelSpinner* light1_intensity_spinner;
extern PanelSpinner* light2_intensity_spinner;
