// A form's layout as data: one row per control (name, kind, parent, bounds, properties in
// the order they are applied, the form's member that keeps it), read by BuildLayout, so that
// it reads like the design table.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Form.h"

using TProperties = std::vector<std::pair<std::string, std::string>>;

// Sets the member of form that keeps control; throws std::invalid_argument when the control
// is not of the member's kind.
using TMember = std::function<void(TForm& form, TControl& control)>;

// The member of a form class that keeps a control: Member(&TFormWin::ListBox1).
template <class Form, class Control>
TMember Member(Control* Form::*member) {
    return [member](TForm& form, TControl& control) {
        auto* kept = dynamic_cast<Control*>(&control);
        if (!kept) throw std::invalid_argument("Control \"" + control.Name + "\" is not of its member's kind");
        static_cast<Form&>(form).*member = kept;
    };
}

struct TLayoutItem {
    std::string Name;
    std::string Kind;    // "panel", "label", ... (see ControlKinds in Layout.cpp)
    std::string Parent;  // a control built before it, or empty for the form itself
    int Left = 0, Top = 0, Width = 0, Height = 0;
    TProperties Properties;
    TMember Kept;  // empty ({}) for a control that no member keeps
};

using TLayout = std::vector<TLayoutItem>;

// Applies properties in order through SetProperty. Throws std::invalid_argument naming the
// control and the property when the control does not know the property or its value.
void ApplyProperties(TControl& control, const TProperties& properties);

// Builds every control of layout in order: made by its kind, owned by form, named, parented,
// placed (its bounds are designed at 96 dpi and scaled to the form's), given its properties,
// kept in its member; when all are built, each finishes loading (Loaded).
// Throws std::invalid_argument naming the control for an unknown kind or parent, a name used
// twice, or a property as ApplyProperties does.
void BuildLayout(TForm& form, const TLayout& layout);

// Makes a control of one kind, owned by owner.
using TControlFactory = std::function<std::unique_ptr<TControl>(TComponent* owner)>;
// Adds a kind made outside the toolkit (the program's own controls) to those BuildLayout knows.
void RegisterControlKind(const std::string& kind, TControlFactory factory);
