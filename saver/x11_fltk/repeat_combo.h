// The combo box BGM_Repeat on FLTK: an editable text with a drop-down list.
// As in the system's combo box, Up and Down step through the list.
#pragma once

#include <FL/Fl_Input_Choice.H>

namespace velmoran {

class RepeatCombo : public Fl_Input_Choice {
public:
    RepeatCombo(int x, int y, int w, int h);
    int handle(int event) override;

private:
    void Step(int by);
};

}  // namespace velmoran
