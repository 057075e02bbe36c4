#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tts {

// The notice that closes every job that ran to its end.
inline constexpr const char* kJobFinished = "Proceso finalizado";

// What a job (the import run, the timetable export) needs of its surroundings. The window, the
// command line and the tests each implement it; the jobs never see Qt.
class RunHost {
public:
    virtual ~RunHost() = default;

    // A job's own notice ("Proceso finalizado", "No existe la carpeta", ...), Windows-1252
    // bytes. Returns once the user has confirmed it.
    virtual void showMessage(const std::string& text) = 0;

    // The job ran to its end: kJobFinished, shown as any notice unless the host sets it apart.
    virtual void showFinished() { showMessage(kJobFinished); }

    // What the user should know of a finished job, one line each (Windows-1252), after
    // "Proceso finalizado" and before the window closes; never called with none. The window
    // shows them in one more message; the command line prints its report's instead.
    virtual void showWarnings(const std::vector<std::string>& warnings) { (void)warnings; }

    // The busy (hourglass) pointer for all of the program's windows.
    virtual void setBusy(bool busy) = 0;

    // True when the program runs inside the host's window (ParametrosLlamada is 2).
    virtual bool isEmbedded() const = 0;

    // Ends the program's window; in embedded mode closing hands the result code to the host.
    virtual void closeWindow() = 0;

    // A completed job disables both job buttons for the rest of the program's life.
    virtual void disableJobs() = 0;

    // EstadoTransformado: 0 no job completed, 1 the job ran to its end, -1 the import failed.
    virtual int32_t result() const = 0;
    virtual void setResult(int32_t code) = 0;

    // A long job calls this now and then (between steps, every few hundred rows): a window
    // repaints what was uncovered meanwhile and keeps the busy pointer, but takes no input.
    // Nothing to do where there is no window.
    virtual void keepAlive() {}
};

// How every job that ran to its end closes: its closing notice, what the user should know of it
// (`warnings`, when there are any), both job buttons disabled for good, and an embedded window
// handed back to the host.
inline void endJob(RunHost& host, const std::vector<std::string>& warnings) {
    host.showFinished();
    if (!warnings.empty())
        host.showWarnings(warnings);
    host.disableJobs();
    if (host.isEmbedded())
        host.closeWindow();
}

} // namespace tts
