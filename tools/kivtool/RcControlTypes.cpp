// The control classes of the dialog records by name, for the layout sources
// and for kivtool res show.
#include "tools/kivtool/RcDialogs.h"

namespace {

struct ControlClass {
    std::int32_t type;
    const char* name;
};

const ControlClass kClasses[] = {
    {1, "Control"},
    {2, "Label"},
    {3, "Frame"},
    {4, "BumpFrame"},
    {5, "VSeparator"},
    {6, "HSeparator"},
    {7, "Picture"},
    {8, "TextButton"},
    {9, "UpDownButton"},
    {10, "IconButton"},
    {11, "DoubleIconButton"},
    {12, "ExpandableIconButton"},
    {13, "MenuIconButton"},
    {14, "AutoRepeatButton"},
    {15, "CheckBox"},
    {17, "RadioButton"},
    {18, "UserDisplay"},
    {19, "Edit"},
    {20, "MultiLineEdit"},
    {21, "UpDownEdit"},
    {22, "ComboBox"},
    {23, "Slider"},
    {24, "PictureSlider"},
    {25, "VScrollBar"},
    {26, "HScrollBar"},
    {27, "ListBox"},
    {28, "Group"},
    {29, "Tab"},
    {30, "ExpandableMenuIconButton"},
    {31, "FrameCheckBox"},
    {33, "ProgressBar"},
    {34, "HResizeBuddies"},
    {35, "Gauge"},
    {36, "Ring"},
    {37, "Color"},
};

} // namespace

std::int32_t ControlType(const std::string& name) {
    for (const ControlClass& known : kClasses)
        if (name == known.name)
            return known.type;
    std::int32_t type = -1;
    return ParseLong(name, &type) && type >= 0 ? type : -1;
}

std::string ControlClassName(std::int32_t type) {
    for (const ControlClass& known : kClasses)
        if (type == known.type)
            return known.name;
    return {};
}
