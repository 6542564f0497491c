// Dialog templates, described once as data (resources/dialogs/*.def) and
// built by the Qt host into a QDialog and by the headless host into a table.
#pragma once

#include <string>
#include <vector>

enum ControlKind {
    CTL_TEXT, CTL_EDIT, CTL_READONLY, CTL_BUTTON, CTL_DEFBUTTON, CTL_RADIO, CTL_CHECK,
    CTL_GROUP, CTL_PICTURE, CTL_CANVAS,
};

struct ControlTemplate {
    ControlKind kind;
    int id;
    int x, y, width, height;
    std::string label;   // code page 932; for a picture, its bitmap resource id
};

struct DialogTemplate {
    int id;
    int width, height;
    std::string title;   // code page 932
    // The dialog's font: face name (code page 932) and size in points;
    // empty and 0 for the host's default.
    std::string fontFace;
    int fontPoints = 0;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* Control(int controlId) const;
};

// The template of a dialog resource, or null.
const DialogTemplate* FindDialogTemplate(int resourceId);
// Every template, in file order.
const std::vector<DialogTemplate>& AllDialogTemplates();
