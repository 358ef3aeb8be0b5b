#pragma once
// The panel layer: control-panel windows with live variables, in the manner of
// the GLUI library (version 2.01 of its interface), drawn with Dear ImGui.
//
// A master object (`panel_master`) creates panel windows; each panel window is
// its own top-level GLUT window with its own ImGui context, and holds controls
// created with the add_... calls. A control may be bound to a live variable:
//  - a user's edit clamps the value, writes it into the live variable, asks the
//    main graphics window (set_main_gfx_window) to redraw, then calls the
//    control's callback with the control's id (id -1: no callback);
//  - when the program changes a live variable itself, sync_live_all() makes every
//    control show the new value.
// Tests and other programs act as the user through the user_... calls of a
// control found with PanelMaster::find_control; they take exactly the path of a
// real edit.

#include <string>
#include <vector>

using PanelCallback = void (*)(int id);

// Kinds and options, named after the GLUI constants they stand for.
enum { PANEL_SPINNER_INT = 1, PANEL_SPINNER_FLOAT = 2 };
enum { PANEL_LIMIT_NONE = 0, PANEL_LIMIT_CLAMP = 1, PANEL_LIMIT_WRAP = 2 };
enum { PANEL_ALIGN_LEFT = 1, PANEL_ALIGN_RIGHT = 2, PANEL_ALIGN_CENTER = 3 };
enum { PANEL_PANEL_NONE = 0, PANEL_PANEL_EMBOSSED = 1, PANEL_PANEL_RAISED = 2 };
enum { PANEL_EDITTEXT_TEXT = 1, PANEL_EDITTEXT_INT = 2, PANEL_EDITTEXT_FLOAT = 3 };
enum {
    PANEL_TRANSLATION_XY = 0,
    PANEL_TRANSLATION_Z = 1,
    PANEL_TRANSLATION_X = 2,
    PANEL_TRANSLATION_Y = 3
};

class PanelWindow;
class PanelRadioGroup;

// Base of every control; containers (rollouts, framed panels, radio groups) are
// controls too and hold children.
class PanelControl {
  public:
    virtual ~PanelControl();

    const std::string& label() const { return label_; }
    int id() const { return id_; }
    PanelWindow* window() const { return window_; }
    PanelControl* parent() const { return parent_; }
    const std::vector<PanelControl*>& children() const { return children_; }

    // Greyed out and deaf to input while disabled.
    void enable();
    void disable();
    bool enabled() const { return enabled_; }
    // Enabled itself and inside enabled groups: only then does it take input.
    bool live_enabled() const;

    // Program-side changes: show the value and write the live variable, without
    // calling the callback.
    virtual void set_int_val(int v);
    virtual void set_float_val(float v);
    virtual int get_int_val() const;
    virtual float get_float_val() const;
    virtual void set_text(const char* text);
    virtual const char* get_text() const;

    // Width request in pixels: the control is at least that wide (a narrower
    // request than its label and field need changes nothing).
    void set_w(int w) {
        width_request_ = w;
        redraw_window();
    }
    int width_request() const { return width_request_; }
    // Left, right or centre within the column or group the control stands in.
    void set_alignment(int a) {
        alignment_ = a;
        redraw_window();
    }
    int alignment() const { return alignment_; }

    // Acting as the user: the same path as an edit in the window (ignored while
    // disabled). Each control takes the calls that make sense for it.
    virtual void user_set_int(int v);              // checkbox, radio group, int spinner, list box
    virtual void user_set_float(float v);          // float spinner
    virtual void user_click();                     // button, checkbox (toggles), radio button
    virtual void user_set_text(const char* text);  // text field (then "enter")
    virtual void user_drag(float dx, float dy);    // rotation ball, translation (pixels)

    // Brings the shown value in step with the live variable; true if it changed.
    virtual bool sync_live();

  protected:
    PanelControl(PanelWindow* window, PanelControl* parent, std::string label, int id,
                 PanelCallback callback);
    // Write done, now redraw request and callback.
    void finish_user_edit();
    // Asks the control's own window to draw again.
    void redraw_window() const;

    friend class PanelWindow;
    PanelWindow* window_;
    PanelControl* parent_;
    std::vector<PanelControl*> children_;
    std::string label_;
    int id_;
    PanelCallback callback_;
    bool enabled_ = true;
    int width_request_ = 0;
    int alignment_ = PANEL_ALIGN_LEFT;
};

class PanelRollout;
class PanelFrame;
class PanelRadioButton;
class PanelCheckbox;
class PanelSpinner;
class PanelListBox;
class PanelButton;
class PanelTextField;
class PanelStaticText;
class PanelColumn;
class PanelRotation;
class PanelTranslation;

// One panel window: a top-level GLUT window at the given position, sized to fit
// its contents, titled with its name.
class PanelWindow {
  public:
    const std::string& name() const { return name_; }
    int glut_window_id() const { return glut_window_; }

    PanelRollout* add_rollout(const char* name, bool open);
    PanelRollout* add_rollout_to_panel(PanelControl* parent, const char* name, bool open);
    PanelFrame* add_panel_to_panel(PanelControl* parent, const char* name, int type);
    PanelRadioGroup* add_radiogroup_to_panel(PanelControl* parent, int* live, int id,
                                             PanelCallback cb);
    PanelRadioButton* add_radiobutton_to_group(PanelRadioGroup* group, const char* label);
    PanelCheckbox* add_checkbox_to_panel(PanelControl* parent, const char* label, int* live, int id,
                                         PanelCallback cb);
    // live points at an int (PANEL_SPINNER_INT) or a float (PANEL_SPINNER_FLOAT).
    PanelSpinner* add_spinner_to_panel(PanelControl* parent, const char* label, int type,
                                       void* live, int id, PanelCallback cb);
    PanelListBox* add_listbox_to_panel(PanelControl* parent, const char* label, int* live, int id,
                                       PanelCallback cb);
    PanelButton* add_button_to_panel(PanelControl* parent, const char* label, int id,
                                     PanelCallback cb);
    PanelButton* add_button(const char* label, int id, PanelCallback cb);
    // Only text fields without a live variable are supported (live must be null).
    PanelTextField* add_edittext_to_panel(PanelControl* parent, const char* label, int type,
                                          void* live, int id, PanelCallback cb);
    PanelStaticText* add_statictext(const char* text);
    PanelRotation* add_rotation(const char* label, float* live, int id, PanelCallback cb);
    PanelTranslation* add_translation(const char* label, int type, float* live, int id,
                                      PanelCallback cb);
    void add_column(bool bar);

    // The GLUT window that redraws after every user edit.
    void set_main_gfx_window(int glut_window);
    int main_gfx_window() const { return main_gfx_window_; }
    void show();
    void hide();
    bool visible() const { return visible_; }

    // Every control of the window, in creation order.
    const std::vector<PanelControl*>& controls() const { return all_; }
    // Top-level controls and column breaks, in creation order.
    const std::vector<PanelControl*>& top_level() const { return top_; }

    // Asks GLUT to draw the window again (it does, once its events are handled).
    void request_redraw();
    // Where a control was drawn last, in pixels from the window's top left corner;
    // false when it has not been drawn (closed rollout, hidden window, no frame yet).
    bool control_rect(const PanelControl* control, int* x, int* y, int* w, int* h) const;
    // Frames drawn so far; tests and demos wait on it.
    int frames_drawn() const;
    // A control is held by the pointer (a ball or pad dragged, a spinner or a
    // button pressed), as of the last frame, or a rotation ball spins.
    bool busy() const;

    // Acts as the user at this window's mouse and keyboard, on the path GLUT's
    // input takes: a button (GLUT's numbering) at (x, y) pixels from the top left
    // corner, and a key as GLUT reports it (with Ctrl held a letter comes as its
    // control code 1..26) with the GLUT_ACTIVE_ modifier bits held then.
    void user_mouse(int button, bool down, int x, int y);
    void user_key(unsigned char key, bool down, int modifiers);

  private:
    friend class PanelMaster;
    friend class PanelRotation;
    template <class T>
    T* adopt(T* control, PanelControl* parent);
    // adopt, for a control that shows the int `live` points at.
    template <class T>
    T* bind(T* control, int* live, PanelControl* parent);
    // Keeps a timer asking for frames while a rotation ball spins or a button is held.
    void keep_ticking();
    PanelWindow(const char* name, int flags, int x, int y);
    ~PanelWindow();
    struct Impl;
    Impl* impl_;
    std::string name_;
    int glut_window_ = 0;
    int main_gfx_window_ = 0;
    bool visible_ = true;
    std::vector<PanelControl*> top_;  // top-level controls
    std::vector<PanelControl*> all_;
};

// The master object: creates panel windows, forwards the main window's input
// callbacks, and syncs live variables.
class PanelMaster {
  public:
    PanelWindow* create_window(const char* name, int flags, int x, int y);
    // Registered on the current GLUT window (the idle function is global).
    void set_glutReshapeFunc(void (*f)(int, int));
    void set_glutKeyboardFunc(void (*f)(unsigned char, int, int));
    void set_glutSpecialFunc(void (*f)(int, int, int));
    void set_glutMouseFunc(void (*f)(int, int, int, int));
    void set_glutIdleFunc(void (*f)());
    // The part of the current window not covered by panel sub-windows: the whole
    // window, since every panel is a window of its own.
    void get_viewport_area(int* x, int* y, int* w, int* h);
    // Every control of every window takes the value of its live variable; a window
    // whose controls changed is redrawn.
    void sync_live_all();
    float get_version() const { return 2.01f; }
    // Some window is busy (PanelWindow::busy): the user is working a control.
    bool user_busy() const;

    // Closes the window and destroys it with its controls (the live variables
    // stay). Not from inside a callback of one of that window's own controls.
    void close_window(PanelWindow* window);

    const std::vector<PanelWindow*>& windows() const { return windows_; }
    // The newest window of that name, then the control with that label; where a
    // label repeats in the window, `group` names the enclosing rollout or framed
    // panel ("Light 1" for its "Enabled"). Null when there is none.
    PanelControl* find_control(const char* window_name, const char* label,
                               const char* group = nullptr) const;

  private:
    std::vector<PanelWindow*> windows_;
};

extern PanelMaster panel_master;

// Containers ---------------------------------------------------------------------
class PanelRollout : public PanelControl {
  public:
    bool is_open() const { return open_; }
    void open();
    void close();
    void user_click() override;  // opens or closes, like a click on its header
  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    bool open_ = false;
};

class PanelFrame : public PanelControl {
  public:
    int type() const { return type_; }  // PANEL_PANEL_NONE draws no frame
  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    int type_ = PANEL_PANEL_EMBOSSED;
};

// A control that shows one int and writes it into its live int: radio groups,
// checkboxes, list boxes.
class PanelIntChoice : public PanelControl {
  public:
    void set_int_val(int v) override;
    int get_int_val() const override { return value_; }
    bool sync_live() override;

  protected:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    void user_choose(int v);  // what a user's edit does with an accepted value
    int* live_ = nullptr;
    int value_ = 0;
};

// Button k (from 0) sets the live int to k.
class PanelRadioGroup : public PanelIntChoice {
  public:
    void user_set_int(int v) override;

  private:
    friend class PanelWindow;
    using PanelIntChoice::PanelIntChoice;
};

class PanelRadioButton : public PanelControl {
  public:
    int index() const { return index_; }
    void user_click() override;  // selects this button in its group
  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    int index_ = 0;
};

// Writes 0 or 1.
class PanelCheckbox : public PanelIntChoice {
  public:
    void user_set_int(int v) override;
    void user_click() override;

  private:
    friend class PanelWindow;
    using PanelIntChoice::PanelIntChoice;
};

class PanelSpinner : public PanelControl {
  public:
    void set_int_limits(int low, int high, int limit_type = PANEL_LIMIT_CLAMP);
    void set_float_limits(float low, float high, int limit_type = PANEL_LIMIT_CLAMP);
    void set_speed(float speed) { speed_ = speed; }
    float speed() const { return speed_; }
    bool is_int() const { return type_ == PANEL_SPINNER_INT; }
    int limit_type() const { return limit_type_; }
    double low() const { return low_; }
    double high() const { return high_; }
    // The speed, but never more than a hundredth of the range between the limits:
    // what one click on an arrow adds to a float spinner (an int spinner adds at
    // least 1), and what a pixel of dragging adds (a quarter of it for ints).
    double step() const;
    void set_int_val(int v) override;
    void set_float_val(float v) override;
    int get_int_val() const override;
    float get_float_val() const override;
    void user_set_int(int v) override;
    void user_set_float(float v) override;
    bool sync_live() override;

  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    double limited(double v) const;
    void store(double v);  // shows v (limited) and writes the live variable
    int type_ = PANEL_SPINNER_FLOAT;
    void* live_ = nullptr;
    double value_ = 0;
    int limit_type_ = PANEL_LIMIT_NONE;
    double low_ = 0, high_ = 0;
    float speed_ = 1.0f;
};

// Items have an id and a text; the live int holds the chosen item's id.
class PanelListBox : public PanelIntChoice {
  public:
    void add_item(int item_id, const char* text);
    int delete_item(int item_id);  // 1 when the item existed, else 0
    struct Item {
        int id;
        std::string text;
    };
    const std::vector<Item>& items() const { return items_; }
    // The text of the chosen item; empty when no item has the chosen id.
    const char* current_text() const;
    void user_set_int(int item_id) override;  // chooses the item with that id
  private:
    friend class PanelWindow;
    using PanelIntChoice::PanelIntChoice;
    std::vector<Item> items_;
};

class PanelButton : public PanelControl {
  public:
    void user_click() override;

  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
};

// One-line text without a live variable: the text stays in the control. The
// callback runs when the user finishes an edit (Enter or leaving the field).
class PanelTextField : public PanelControl {
  public:
    void set_text(const char* text) override;
    const char* get_text() const override { return text_.c_str(); }
    void user_set_text(const char* text) override;

  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    std::string text_;
};

class PanelStaticText : public PanelControl {
  public:
    void set_text(const char* text) override {
        label_ = text ? text : "";
        redraw_window();
    }
    const char* get_text() const override { return label_.c_str(); }

  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
};

// A column break: later top-level controls stand in a new column to the right.
class PanelColumn : public PanelControl {
  public:
    bool bar() const { return bar_; }  // a dividing line before the column
  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    bool bar_ = false;
};

// Virtual trackball writing a 16-float column-major rotation matrix. After a
// release it keeps turning, damped by the spin factor on each frame: 0 stops at
// once, 1 spins on.
class PanelRotation : public PanelControl {
  public:
    void set_spin(float damping) { spin_ = damping; }
    float spin() const { return spin_; }
    void reset();           // back to rest, live matrix the identity
    bool spinning() const;  // still turning after a release
    void step_spin();       // one frame of spinning (the window's timer calls it)
    // Press, move by (dx, dy) pixels (dy > 0 upward), release; starts at the centre.
    void user_drag(float dx, float dy) override;
    bool sync_live() override;

    // The steps of a drag, in pixels from the ball's centre with y upward; the
    // window's mouse handling and user_drag both go through them.
    void press(float x, float y);
    void drag_to(float x, float y);
    void release();
    bool pressed() const { return pressed_; }
    const float* matrix() const { return shown_; }
    static constexpr float kRadius = 36.0f;  // of the ball on screen, in pixels
  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    void write_live();
    float* live_ = nullptr;
    bool pressed_ = false;
    float last_point_[3] = {0, 0, 1};
    float last_axis_[3] = {0, 0, 1};
    float last_angle_ = 0.0f;      // turn of the latest drag step
    double last_move_time_ = 0.0;  // seconds, steady clock
    float spin_ = 0.0f;
    float shown_[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float spin_axis_[3] = {0, 0, 1};
    float spin_angle_ = 0.0f;  // radians per frame while spinning
};

// Dragging adds pixels x speed: XY to live[0] and live[1] (up is +y), X to
// live[0], Y to live[0] (up is +), Z to live[0] (up is +).
class PanelTranslation : public PanelControl {
  public:
    void set_speed(float speed) { speed_ = speed; }
    float speed() const { return speed_; }
    int type() const { return type_; }
    const float* values() const { return shown_; }  // one value, or two for XY
    void user_drag(float dx, float dy) override;    // dy > 0 is upward
    bool sync_live() override;

  private:
    friend class PanelWindow;
    using PanelControl::PanelControl;
    int type_ = PANEL_TRANSLATION_XY;
    float* live_ = nullptr;
    float speed_ = 1.0f;
    float shown_[2] = {0, 0};
};
