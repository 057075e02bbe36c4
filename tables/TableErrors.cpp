#include "tables/TableErrors.h"

#include "base/platform/SystemError.h"

#include <cstdio>

namespace tts::tables::tableErrors {

namespace {

std::string tableLine(const std::string& path) {
    return "\nTabla: " + path;
}

std::string reasonLine(int errorCode) {
    return "\nMotivo: " + systemReason(errorCode);
}

std::string typeText(char type) {
    auto byte = static_cast<unsigned char>(type);
    if (byte > 32 && byte < 127)
        return std::string(1, type);
    char hex[8];
    std::snprintf(hex, sizeof hex, "$%02X", byte);
    return hex;
}

} // namespace

// The Spanish texts below are Windows-1252: \xE1 á, \xE9 é, \xED í, \xF3 ó, \xFA ú, \xF1 ñ.

Error tableNotFound(const std::string& path) {
    return Error("No se encuentra la tabla." + tableLine(path));
}

Error tableInUse(const std::string& path) {
    return Error("La tabla est\xE1 en uso." + tableLine(path));
}

Error invalidFolder(const std::string& folder) {
    return Error("Ruta de acceso no v\xE1lida.\nRuta: " + folder);
}

Error folderUnreadable(const std::string& folder, int errorCode) {
    return Error("No se puede leer la carpeta de trabajo.\nCarpeta: " + folder +
                 reasonLine(errorCode));
}

Error columnNotFound(const std::string& componentName, const std::string& column) {
    std::string prefix = componentName.empty() ? "" : componentName + ": ";
    return Error(prefix + "No se encuentra el campo '" + column + "'");
}

Error damaged(const std::string& path, const std::string& reason) {
    return Error("El archivo de la tabla est\xE1 da\xF1"
                 "ado." +
                 tableLine(path) + "\nMotivo: " + reason);
}

Error cannotOpen(const std::string& path, int errorCode) {
    return Error("No se puede abrir la tabla." + tableLine(path) + reasonLine(errorCode));
}

Error cannotCreate(const std::string& path, int errorCode) {
    return Error("No se puede crear la tabla." + tableLine(path) + reasonLine(errorCode));
}

Error cannotRead(const std::string& path, int errorCode) {
    return Error("No se puede leer la tabla." + tableLine(path) + reasonLine(errorCode));
}

Error cannotWrite(const std::string& path, int errorCode) {
    return Error("No se puede escribir en la tabla." + tableLine(path) + reasonLine(errorCode));
}

Error readOnly(const std::string& path) {
    return Error("La tabla est\xE1 abierta solo para lectura." + tableLine(path));
}

Error notEditing(const std::string& path) {
    return Error("La tabla no est\xE1 en modo de edici\xF3n." + tableLine(path));
}

Error closed(const std::string& path) {
    return Error("La tabla est\xE1 cerrada." + tableLine(path));
}

Error unsupportedColumnType(const std::string& path, const std::string& column, char type) {
    return Error("El campo '" + column + "' es de un tipo que no se puede usar (" + typeText(type) +
                 ")." + tableLine(path));
}

Error notANumber(const std::string& path, const std::string& column, const std::string& text) {
    return Error("El campo '" + column + "' contiene un valor que no es un n\xFAmero: '" + text +
                 "'." + tableLine(path));
}

std::string valueDoesNotFitText(const std::string& column, const std::string& value) {
    return "El valor " + value + " no cabe en el campo '" + column + "'";
}

Error valueDoesNotFit(const std::string& path, const std::string& column,
                      const std::string& value) {
    return Error(valueDoesNotFitText(column, value) + "." + tableLine(path));
}

Error notABoolean(const std::string& text) {
    return Error("'" + text + "' no es un valor l\xF3gico v\xE1lido");
}

Error invalidDefinition(const std::string& name, const std::string& reason) {
    return Error("Definici\xF3n de tabla no v\xE1lida: " + reason + "\nTabla: " + name);
}

std::string systemReason(int errorCode) {
    return platform::reasonInSpanish(errorCode);
}

} // namespace tts::tables::tableErrors
