#include "saver/x11_fltk/widgets/repeat_combo.h"

#include <FL/Fl.H>
#include <FL/Fl_Input.H>
#include <FL/fl_draw.H>

#include <functional>

#include "saver/x11_fltk/widgets/drop_down_list.h"

namespace velmoran {
namespace {

constexpr Fl_Boxtype kBorder = FL_DOWN_BOX;
// The button's width, as wide as the system's scroll bar arrows.
constexpr int kButtonWidth = 16;
// Entries in view in the dropped list; the rest scroll.
constexpr int kListRows = 8;

// The button with the arrow that drops the list down. It never takes the
// keyboard focus.
class DropButton : public Fl_Widget {
public:
    DropButton(int x, int y, int w, int h, std::function<void()> press)
        : Fl_Widget(x, y, w, h), press_(std::move(press)) {
        box(FL_UP_BOX);
        clear_visible_focus();
    }

    int handle(int event) override {
        if (event != FL_PUSH || !active_r()) return Fl_Widget::handle(event);
        box(FL_DOWN_BOX);
        redraw();
        press_();
        box(FL_UP_BOX);
        redraw();
        return 1;
    }

protected:
    void draw() override {
        draw_box();
        // A small arrow pointing down, in the middle.
        const int cx = x() + w() / 2 + (box() == FL_DOWN_BOX);
        const int cy = y() + h() / 2 + (box() == FL_DOWN_BOX);
        fl_color(active_r() ? FL_BLACK : fl_inactive(FL_BLACK));
        fl_polygon(cx - 4, cy - 2, cx + 4, cy - 2, cx, cy + 2);
    }

private:
    std::function<void()> press_;
};

// The text, which leaves the keys that step through or drop down the list
// to the combo box.
class ComboText : public Fl_Input {
public:
    ComboText(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}

    int handle(int event) override {
        if (event == FL_KEYBOARD && ListKey()) return 0;
        return Fl_Input::handle(event);
    }

    static bool ListKey() {
        const int key = Fl::event_key();
        return key == FL_Up || key == FL_Down || key == FL_F + 4;
    }
};

}  // namespace

RepeatCombo::RepeatCombo(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
    box(kBorder);
    color(FL_WHITE);
    const int dx = Fl::box_dx(kBorder), dy = Fl::box_dy(kBorder);
    const int inner = h - Fl::box_dh(kBorder);
    input_ = new ComboText(x + dx, y + dy, w - Fl::box_dw(kBorder) - kButtonWidth, inner);
    input_->box(FL_FLAT_BOX);
    input_->color(FL_WHITE);
    button_ = new DropButton(x + w - dx - kButtonWidth, y + dy, kButtonWidth, inner, [this] { DropDown(); });
    end();
}

void RepeatCombo::SetFont(Fl_Font font, int size) {
    font_ = font;
    size_ = size;
    input_->textfont(font);
    input_->textsize(size);
}

void RepeatCombo::Add(std::string entry) { entries_.push_back(std::move(entry)); }

std::string RepeatCombo::Text() const {
    const char* text = input_->value();
    return text ? text : "";
}

void RepeatCombo::SetText(const std::string& text) { input_->value(text.c_str()); }

int RepeatCombo::handle(int event) {
    if (event == FL_KEYBOARD && active_r()) {
        const int key = Fl::event_key();
        if (key == FL_F + 4 || (Fl::event_alt() && (key == FL_Down || key == FL_Up))) {
            DropDown();
            return 1;
        }
        if (key == FL_Up || key == FL_Down) {
            Step(key == FL_Up ? -1 : 1);
            return 1;
        }
    }
    // Tab goes on to the window, which moves the focus in the dialog's order.
    if (event == FL_KEYBOARD && Fl::event_key() == FL_Tab) return 0;
    return Fl_Group::handle(event);
}

int RepeatCombo::EntryOfText() const {
    const std::string text = Text();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i] == text) return int(i);
    return -1;
}

// From the entry that equals the text (or from before the first one), to
// the neighbouring entry, staying at the ends.
void RepeatCombo::Step(int by) {
    const int count = int(entries_.size());
    const int at = EntryOfText();
    const int next = at < 0 ? (by > 0 ? 0 : count - 1) : at + by;
    if (next >= 0 && next < count) TakeEntry(next);
}

void RepeatCombo::DropDown() {
    const int at = EntryOfText();
    const std::optional<int> chosen =
        DropDownList(*this, entries_, at < 0 ? std::nullopt : std::optional<int>(at), {font_, size_, kListRows});
    input_->take_focus();
    if (chosen) TakeEntry(*chosen);
}

// The entry becomes the text, all of it selected.
void RepeatCombo::TakeEntry(int entry) {
    input_->value(entries_[std::size_t(entry)].c_str());
    input_->position(input_->size(), 0);
}

}  // namespace velmoran
