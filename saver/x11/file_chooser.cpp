#include "saver/x11/file_chooser.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <string_view>

namespace velmoran {

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
    if (chooser.show() != 0) return std::nullopt;  // 1 cancelled, -1 failed
    const char* chosen = chooser.filename();
    if (!chosen || !*chosen) return std::nullopt;
    return std::string(chosen);
}

}  // namespace velmoran
