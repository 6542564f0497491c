#include "resources/dialog_templates.h"

#include <sstream>

#include "resources/dialogs_cp932.h"

namespace {

bool KindOf(const std::string& word, ControlKind& kind) {
    static const struct {
        const char* name;
        ControlKind kind;
    } kinds[] = {
        {"TEXT", CTL_TEXT},       {"EDIT", CTL_EDIT},   {"READONLY", CTL_READONLY}, {"BUTTON", CTL_BUTTON},
        {"DEFBUTTON", CTL_DEFBUTTON}, {"RADIO", CTL_RADIO}, {"CHECK", CTL_CHECK}, {"GROUP", CTL_GROUP},
        {"PICTURE", CTL_PICTURE}, {"CANVAS", CTL_CANVAS},
    };
    for (const auto& k : kinds) {
        if (word == k.name) {
            kind = k.kind;
            return true;
        }
    }
    return false;
}

std::string RestOfLine(std::istringstream& in) {
    std::string rest;
    std::getline(in, rest);
    size_t start = rest.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : rest.substr(start);
}

std::vector<DialogTemplate> Parse() {
    std::vector<DialogTemplate> out;
    std::istringstream file(DIALOG_TEMPLATES_CP932);
    std::string line;
    DialogTemplate* current = nullptr;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "DIALOG") {
            out.push_back(DialogTemplate{});
            current = &out.back();
            in >> current->id >> current->width >> current->height;
            current->title = RestOfLine(in);
        } else if (word == "FONT" && current) {
            in >> current->fontPoints;
            current->fontFace = RestOfLine(in);
        } else if (word == "END") {
            current = nullptr;
        } else if (current) {
            ControlTemplate c{};
            if (!KindOf(word, c.kind)) continue;
            in >> c.id >> c.x >> c.y >> c.width >> c.height;
            c.label = RestOfLine(in);
            current->controls.push_back(c);
        }
    }
    return out;
}

}  // namespace

const ControlTemplate* DialogTemplate::Control(int controlId) const {
    for (const auto& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

const std::vector<DialogTemplate>& AllDialogTemplates() {
    static const std::vector<DialogTemplate> templates = Parse();
    return templates;
}

const DialogTemplate* FindDialogTemplate(int resourceId) {
    for (const auto& t : AllDialogTemplates())
        if (t.id == resourceId) return &t;
    return nullptr;
}
