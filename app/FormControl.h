#pragma once

namespace tts::app {

// The controls that take the keyboard, as the form tells them apart.
enum class FormControl { BExportar, BImportar, BClose, Button1, Directorios, Unidades, Other };

} // namespace tts::app
