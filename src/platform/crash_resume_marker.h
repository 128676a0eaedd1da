#pragma once
// The crash-resume marker: while a movie is open (and "ResumeWhenCrashed" is on) an XDG
// autostart entry "kravelo-resume.desktop" starts the program at the next log-in, so a session
// that ended without a normal close reopens the movie. The program removes it at start (it runs
// once) and at a normal close. Failures are silent for the program; the calls still report them.
//
//     CrashResumeMarker marker(QCoreApplication::applicationFilePath().toStdString());
//     marker.Remove();                                   // start
//     if (settings.ResumeWhenCrashed) marker.Register(); else marker.Remove();   // movie opened
//     marker.Remove();                                   // normal close

#include <string>

#include "platform/xdg_paths.h"

namespace kravelo {

// Exec value of a desktop entry that runs exactly `program`, and back. Quote and Unquote of a
// path give the path again; Unquote gives empty for a value that is not one quoted argument.
std::string DesktopExecQuote(const std::string& program);
std::string DesktopExecUnquote(const std::string& value);

class CrashResumeMarker {
public:
    explicit CrashResumeMarker(std::string programPath, std::string configHome = XdgConfigHome());

    // <configHome>/autostart/kravelo-resume.desktop
    std::string EntryPath() const;

    // Writes the entry (atomically, creating the autostart folder). Refuses a program path with
    // control characters, which no desktop entry line can hold.
    bool Register(std::string* error = nullptr) const;
    // Deletes the entry; true when none is left (also when there was none).
    bool Remove(std::string* error = nullptr) const;

    // The program the entry starts; empty when there is no entry or it names none.
    std::string RegisteredProgram() const;

private:
    std::string program_;
    std::string configHome_;
};

}  // namespace kravelo
