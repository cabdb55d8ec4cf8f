// The combo box BGM_Repeat on FLTK: an editable text and a button that drops
// down the list of entries, laid out as the system's combo box is at the
// same size - a sunken border, the text, a narrow button at the right - so
// that the design's 41 pixels show a text like "3.5" whole. As in the
// system's combo box, Up and Down step through the entries, and F4 or
// Alt+Down drop the list down.
#pragma once

#include <FL/Fl_Group.H>

#include <string>
#include <vector>

class Fl_Input;

namespace velmoran {

class RepeatCombo : public Fl_Group {
public:
    RepeatCombo(int x, int y, int w, int h);

    void SetFont(Fl_Font font, int size);
    void Add(std::string entry);
    std::string Text() const;
    void SetText(const std::string& text);

    int handle(int event) override;

private:
    // The entry that equals the text, if any.
    int EntryOfText() const;
    void Step(int by);
    void DropDown();
    void TakeEntry(int entry);

    Fl_Input* input_;
    Fl_Widget* button_;
    std::vector<std::string> entries_;
    Fl_Font font_ = FL_HELVETICA;
    int size_ = FL_NORMAL_SIZE;
};

}  // namespace velmoran
