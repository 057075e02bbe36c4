#pragma once

#include <array>
#include <cstddef>

namespace tts::app {

// The controls that take the keyboard, as the form tells them apart.
enum class FormControl { BExportar, BImportar, BClose, Button1, Directorios, Unidades, Other };

// A front end's handle of each control that takes the keyboard, and back: the one mapping
// between the form's controls and a toolkit's.
template <class Handle> class FormControls {
public:
    FormControls() = default;
    // In FormControl's order.
    FormControls(Handle bExportar, Handle bImportar, Handle bClose, Handle button1,
                 Handle directorios, Handle unidades)
        : handles_{bExportar, bImportar, bClose, button1, directorios, unidades} {}

    // None for Other.
    Handle of(FormControl control) const {
        return control == FormControl::Other ? Handle{}
                                             : handles_[static_cast<std::size_t>(control)];
    }
    // Other for a handle that is none of them.
    FormControl find(Handle handle) const {
        for (std::size_t control = 0; control < handles_.size(); ++control)
            if (handle && handles_[control] == handle)
                return static_cast<FormControl>(control);
        return FormControl::Other;
    }

private:
    std::array<Handle, static_cast<std::size_t>(FormControl::Other)> handles_{};
};

} // namespace tts::app
