#include "saver/x11_fltk/forms/fltk_file_chooser.h"

#include <FL/Fl.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xutil.h>

#include <string>
#include <string_view>

#include "saver/x11_fltk/widgets/fonts.h"

namespace velmoran {
namespace {

// Without GTK the chooser is FLTK's own, drawn in FLTK's standard fonts,
// which have no Japanese; while it is open those draw with the Japanese font.
class JapaneseStandardFonts {
public:
    JapaneseStandardFonts()
        : plain_(Fl::get_font(FL_HELVETICA)), bold_(Fl::get_font(FL_HELVETICA_BOLD)) {
        // FLTK's Xft names start with a style letter: ' ' plain, 'B' bold.
        static const std::string family = std::string(Fl::get_font(JapaneseFont())).substr(1);
        static const std::string plain = ' ' + family, bold = 'B' + family;
        Fl::set_font(FL_HELVETICA, plain.c_str());
        Fl::set_font(FL_HELVETICA_BOLD, bold.c_str());
    }
    ~JapaneseStandardFonts() {
        Fl::set_font(FL_HELVETICA, plain_);
        Fl::set_font(FL_HELVETICA_BOLD, bold_);
    }
    JapaneseStandardFonts(const JapaneseStandardFonts&) = delete;
    JapaneseStandardFonts& operator=(const JapaneseStandardFonts&) = delete;

private:
    const char* const plain_;
    const char* const bold_;
};

// FLTK stores a title's UTF-8 bytes in WM_NAME typed as Latin-1, which
// window managers and tools that read WM_NAME show garbled. Once FLTK's own
// chooser window is up, its WM_NAME says what it holds. GTK's chooser is no
// FLTK window and titles itself.
void RetitleFltkChooser(void* data) {
    const auto* title = static_cast<const std::string*>(data);
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
        if (!w->shown() || !w->label() || *title != w->label()) continue;
        char* text = const_cast<char*>(title->c_str());
        XTextProperty name;
        if (Xutf8TextListToTextProperty(fl_display, &text, 1, XStdICCTextStyle, &name) < Success) return;
        XSetWMName(fl_display, fl_xid(w), &name);
        XFree(name.value);
        XFlush(fl_display);
        return;
    }
    Fl::repeat_timeout(0.02, RetitleFltkChooser, data);
}

}  // namespace

std::string FltkFilter(const std::string& description, const std::string& patterns) {
    std::string filter;
    for (char c : description) {
        if (c == '(')
            filter += "\xEF\xBC\x88";  // U+FF08
        else if (c == ')')
            filter += "\xEF\xBC\x89";  // U+FF09
        else if (c != '\t' && c != '\n')
            filter += c;
    }
    // FLTK patterns give '\', '{', '}', '[', ']', ',' and '|' a meaning of
    // their own; its matching ignores letter case.
    filter += "\t{";
    for (char c : patterns) {
        if (c == ';') {
            filter += ',';
            continue;
        }
        if (std::string_view("\\{}[],|").find(c) != std::string_view::npos) filter += '\\';
        if (c != '\t' && c != '\n') filter += c;
    }
    return filter + "}";
}

std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) {
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_FILE);
    chooser.title(request.title.c_str());
    const std::string filter = FltkFilter(request.filterDescription, request.filterPattern);
    chooser.filter(filter.c_str());
    if (!request.startFolder.empty()) chooser.directory(request.startFolder.c_str());
    int outcome;
    {
        JapaneseStandardFonts fonts;
        Fl::add_timeout(0.0, RetitleFltkChooser, const_cast<std::string*>(&request.title));
        outcome = chooser.show();
        Fl::remove_timeout(RetitleFltkChooser);
    }
    if (outcome != 0) return std::nullopt;  // 1 cancelled, -1 failed
    const char* chosen = chooser.filename();
    if (!chosen || !*chosen) return std::nullopt;
    return std::string(chosen);
}

}  // namespace velmoran
