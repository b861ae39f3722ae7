#pragma once

// The settings file: sections "Startup", "Files", "Graphs" and "Scales" of
// buildpath(Fpath, Finit), and the per-user pointer to the file written last.

#include "session/data_library.h"
#include "session/session_host.h"
#include "session/session_state.h"

#include <string>

namespace zan {

// Ends the path with one '/' and folds doubled separators after the first
// character, so that a leading "//" survives; "//" alone becomes "/".
void FixPath(std::string& path);

// Joins a folder and a name with exactly one '/'.
std::string BuildPath(const std::string& folder, const std::string& name);

// The settings file of the session: buildpath(Fpath, Finit).
std::string SettingsPath(const Session& s);

// One value of the settings file; def when the section or key is missing.
std::string GetIni(const std::string& section, const std::string& key, const std::string& def,
                   const std::string& file);
// Writes one value. An empty (trimmed) key deletes the section, an empty
// value deletes the key. False when the file could not be written.
bool PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file);

// The stored file list of section "Files". nFile stays 0 when the list is
// empty, longer than the library can hold, or any of its files is missing.
void IniFiles(Session& s);

// Section "Startup". Values outside what the program can show are brought
// into range (grid 1..6 with columns <= rows + 3, drawing rate 1..16000, menu
// indexes within their menus); see KeepStartupInRange.
void IniStart(Session& s, SessionHost& host);

// Keeps the startup fields within what the program can show.
void KeepStartupInRange(Session& s);

// Writes the whole settings file in one step and points the per-user store
// at it. A file that cannot be written is reported once per file name.
// Returns false when it could not be written. The library gives the shifts
// and factors of the loaded files.
bool IniWrite(Session& s, SessionHost& host, DataLibrary& library);

// The per-user pointer to the settings file written last.
std::string ReadIniPointer(const SessionHost& host, const std::string& def);
bool WriteIniPointer(const SessionHost& host, const std::string& file);

}  // namespace zan
