#include "saver/x11_fltk/widgets/drop_down_list.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Select_Browser.H>

#include <algorithm>

namespace velmoran {
namespace {

constexpr int kWheelRows = 3;

// The list: lines numbered from 1, as FLTK's browsers count them.
class EntryList : public Fl_Select_Browser {
public:
    EntryList(int x, int y, int w, int h) : Fl_Select_Browser(x, y, w, h) {}

    // The line under the window point, 0 where the pointer is over none or
    // over the scroll bar.
    int LineAt(int px, int py) {
        if (px < x() || px >= x() + w() - ScrollBarWidth() || py < y() || py >= y() + h()) return 0;
        void* item = find_item(py);
        return item ? lineno(item) : 0;
    }
    int RowHeight() { return item_first() ? item_height(item_first()) : 0; }
    void Mark(int line) {
        if (line < 1 || line > size()) return;
        value(line);
        if (displayed(line)) return;
        if (line < topline())
            topline(line);
        else
            bottomline(line);
    }

private:
    int ScrollBarWidth() const { return scrollbar.visible() ? scrollbar.w() : 0; }
};

class ListWindow : public Fl_Double_Window {
public:
    ListWindow(const std::vector<std::string>& entries, const ListLook& look);
    void Place(const Fl_Widget& box);
    void Mark(int line) { list_->Mark(line); }
    int handle(int event) override;

    std::optional<int> chosen;

private:
    int HandleKey();
    void Choose(int line);

    EntryList* list_;
};

ListWindow::ListWindow(const std::vector<std::string>& entries, const ListLook& look)
    : Fl_Double_Window(0, 0, 1, 1) {
    set_override();
    list_ = new EntryList(0, 0, 1, 1);
    list_->box(FL_BORDER_BOX);
    list_->color(FL_WHITE);
    list_->format_char(0);  // entries are plain text
    list_->textfont(look.font);
    list_->textsize(look.size);
    for (const std::string& entry : entries) list_->add(entry.c_str());
    end();
    const int rows = std::clamp(int(entries.size()), 1, look.rows);
    size(1, rows * list_->RowHeight() + Fl::box_dh(FL_BORDER_BOX));
}

// Below the box, or above it where the screen ends below.
void ListWindow::Place(const Fl_Widget& box) {
    int boxX = 0, boxY = 0;
    const Fl_Window* top = box.top_window_offset(boxX, boxY);
    boxX += top->x();
    boxY += top->y();
    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh, boxX, boxY);
    const int height = h();
    const int below = boxY + box.h();
    resize(boxX, below + height <= sy + sh ? below : boxY - height, box.w(), height);
    list_->resize(0, 0, w(), h());
}

void ListWindow::Choose(int line) {
    if (line >= 1) chosen = line - 1;
    hide();
}

// The list holds the pointer and the keys while it is down: a press
// elsewhere dismisses it; over an entry the pointer marks it and a release
// chooses it; the scroll bar and the wheel scroll.
int ListWindow::handle(int event) {
    const int line = list_->LineAt(Fl::event_x(), Fl::event_y());
    switch (event) {
    case FL_PUSH:
        if (!Fl::event_inside(0, 0, w(), h())) {
            hide();
            return 1;
        }
        if (!line) break;
        list_->Mark(line);
        return 1;
    case FL_MOVE:
    case FL_DRAG:
        if (!line) break;
        list_->Mark(line);
        return 1;
    case FL_RELEASE:
        if (!line) break;
        Choose(line);
        return 1;
    case FL_MOUSEWHEEL:
        // Three entries a notch, as the system scrolls.
        list_->topline(std::clamp(list_->topline() + kWheelRows * Fl::event_dy(), 1, list_->size()));
        return 1;
    case FL_KEYBOARD:
        return HandleKey();
    }
    return Fl_Double_Window::handle(event);
}

int ListWindow::HandleKey() {
    switch (Fl::event_key()) {
    case FL_Escape:
        hide();
        return 1;
    case FL_Enter:
    case FL_KP_Enter:
    case FL_Tab:
    case FL_F + 4:
        Choose(list_->value());
        return 1;
    case FL_Up:
    case FL_Down:
        list_->Mark(std::clamp(list_->value() + (Fl::event_key() == FL_Up ? -1 : 1), 1, list_->size()));
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<int> DropDownList(const Fl_Widget& box, const std::vector<std::string>& entries,
                                std::optional<int> current, const ListLook& look) {
    if (entries.empty() || !box.top_window()) return std::nullopt;
    ListWindow list(entries, look);
    list.Place(box);
    if (current) list.Mark(*current + 1);
    list.show();
    Fl::grab(&list);
    while (list.shown()) Fl::wait();
    Fl::grab(nullptr);
    return list.chosen;
}

}  // namespace velmoran
