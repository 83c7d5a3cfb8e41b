// The layout builder and the table of control kinds it can make.
#include "toolkit/Layout.h"

#include <map>
#include <stdexcept>

#include "toolkit/Bevel.h"
#include "toolkit/BitBtn.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/ScreenPicker.h"
#include "toolkit/StaticText.h"
#include "toolkit/TabSheet.h"

namespace {

template <class Control>
std::unique_ptr<TControl> Make(TComponent* owner) {
    return std::make_unique<Control>(owner);
}

std::map<std::string, TControlFactory>& ControlKinds() {
    static std::map<std::string, TControlFactory> kinds = {
        // Containers and labels.
        {"panel", &Make<TPanel>},
        {"pagecontrol", &Make<TPageControl>},
        {"tabsheet", &Make<TTabSheet>},
        {"label", &Make<TLabel>},
        // Lists, buttons, boxes and pictures.
        {"listbox", &Make<TListBox>},
        {"bitbtn", &Make<TBitBtn>},
        {"checkbox", &Make<TCheckBox>},
        {"groupbox", &Make<TGroupBox>},
        {"statictext", &Make<TStaticText>},
        {"image", &Make<TImage>},
        {"bevel", &Make<TBevel>},
        {"screenpicker", &Make<TScreenPicker>},
    };
    return kinds;
}

}  // namespace

void RegisterControlKind(const std::string& kind, TControlFactory factory) { ControlKinds()[kind] = std::move(factory); }

void ApplyProperties(TControl& control, const TProperties& properties) {
    for (const auto& [name, value] : properties) {
        bool known = false;
        try {
            known = control.SetProperty(name, value);
        } catch (const std::logic_error& error) {  // invalid_argument, out_of_range from the value
            throw std::invalid_argument("Control \"" + control.Name + "\": property " + name + " = \"" + value +
                                        "\": " + error.what());
        }
        if (!known) throw std::invalid_argument("Control \"" + control.Name + "\" has no property " + name);
    }
}

void BuildLayout(TForm& form, const TLayout& layout) {
    std::vector<TControl*> built;
    for (const TLayoutItem& item : layout) {
        const auto kind = ControlKinds().find(item.Kind);
        if (kind == ControlKinds().end())
            throw std::invalid_argument("Control \"" + item.Name + "\" is of unknown kind \"" + item.Kind + "\"");
        if (item.Name.empty() || form.FindComponent(item.Name))
            throw std::invalid_argument("Control name \"" + item.Name + "\" is empty or used twice");
        TWinControl* parent = &form;
        if (!item.Parent.empty()) {
            parent = dynamic_cast<TWinControl*>(form.FindComponent(item.Parent));
            if (!parent)
                throw std::invalid_argument("Control \"" + item.Name + "\" has no container \"" + item.Parent +
                                            "\" to lie in");
        }
        TControl* control = form.Own(kind->second(&form));
        control->Name = item.Name;
        control->BeginLoading();
        control->SetParent(parent);
        control->SetDesignBounds(item.Left, item.Top, item.Width, item.Height);
        ApplyProperties(*control, item.Properties);
        if (item.Kept) item.Kept(form, *control);
        built.push_back(control);
    }
    for (TControl* control : built) control->Loaded();
}
