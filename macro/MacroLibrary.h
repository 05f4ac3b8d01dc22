#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

class CMacroProgram;
class IMacroFileSystem;
enum class FileStatus;
class IMacroReporter;

namespace macrofile {
inline constexpr int kHeaderSize = 9;
inline constexpr int kScriptHeaderSize = 48;
inline constexpr int kMaxBodySize = 2048;
inline constexpr int kMaxFileSize = kHeaderSize + kMaxBodySize;
inline constexpr int kListLimit = 50;
}  // namespace macrofile

// Holds a file's body (the script header and the code) after a read.
using MacroBody = std::array<uint8_t, macrofile::kMaxFileSize>;

// The recording timing a macro file carries.
struct MacroTiming {
    bool withoutDelay = false;
    bool insertDefaultDelay = false;
    int defaultDelay = 0;  // milliseconds
};

// The user's macro library: one file "NAME.Mac" per macro in one folder. Names that differ only in
// letter case are the same macro, and lookups find a file's own spelling. Every failure is reported
// through the message table; results are 1/0 or a body length / -1.
class CMacroLibrary {
public:
    CMacroLibrary(IMacroFileSystem& files, IMacroReporter& reporter, std::string folder);

    const std::string& Folder() const { return m_folder; }
    int CreateFolder();
    // The macros of the library, each once, in the folder's order, at most limit of them.
    std::vector<std::u16string> ListMacros(int limit = macrofile::kListLimit);
    // True when the library holds as many macros as its choosers list: a further macro could be
    // created but never chosen, so creating, importing and adding one is refused.
    bool IsFull();
    // The path of a macro: its existing file, else the folder + "/" + name + ".Mac".
    int PathOf(std::u16string_view name, std::string& path);

    // A new macro file holding only the file header. Refused for an existing name.
    int CreateMacro(std::u16string_view name, int delayUnit = 1);
    // Reads a macro file; the body (script header and code) lands at the start of body. Returns the
    // body length, or -1. name only completes the reports.
    int ReadMacroFile(const std::string& path, std::u16string_view name, MacroBody& body,
                      MacroTiming& timing);
    // Reads a macro for binding to a button, its command sequences refreshed from the command table.
    int ReadForBinding(std::u16string_view name, MacroBody& body);
    // Reads a macro and parses its code into program (capacity 2000, delay unit 1).
    int LoadMacro(std::u16string_view name, CMacroProgram& program, MacroTiming& timing);
    // The same for a macro file anywhere.
    int LoadMacroFile(const std::string& path, std::u16string_view name, CMacroProgram& program,
                      MacroTiming& timing);
    // Writes program as a macro file at path (any folder): a new file replaces the old one whole.
    int WriteMacroFile(const std::string& path, const CMacroProgram& program, const MacroTiming& timing);
    int WriteMacro(std::u16string_view name, const CMacroProgram& program, const MacroTiming& timing);
    // "Save as file": as WriteMacroFile, with the save failure reported too.
    int ExportMacro(const std::string& path, const CMacroProgram& program, const MacroTiming& timing);
    // "Load from file": copies a file into the library under its name without ".mac"; name receives it.
    int ImportMacro(const std::string& sourcePath, std::u16string& name);
    // True when the library holds a macro of this name, in any letter case.
    bool HasMacro(std::u16string_view name);
    // The name as its file spells it ("abc.mac" for "ABC" gives "abc"); name itself when there is none.
    std::u16string SpelledName(std::u16string_view name);
    // A new macro file holding this code, as the editor would save it. Refused for an existing name.
    int AddMacro(std::u16string_view name, const uint8_t* code, int codeLength);
    // Deletes the open macro's file; only when the chosen entry is that macro exactly.
    int DeleteMacro(std::u16string_view currentName, const std::u16string* chosenEntry);

    // The checks reading a macro file makes: header signature and format, a body of at most 2048 bytes
    // that the file holds whole. 0 and the body length, or the message number of the fault.
    static int CheckFile(const std::vector<uint8_t>& bytes, int& length);

private:
    // The file that holds the macro, found without regard to letter case; empty when none.
    std::string ExistingFile(std::u16string_view name);
    bool CheckNewName(std::u16string_view name);
    // The path a new macro of this name gets; false, reported, when the name is refused or taken or the
    // library is full.
    bool NewMacroPath(std::u16string_view name, std::string& path);
    int ReportStatus(FileStatus status, const std::string& path, std::u16string_view name);

    IMacroFileSystem& m_files;
    IMacroReporter& m_reporter;
    std::string m_folder;
};

// Rewrites the key sequence of every command in the code of a body with the command table's.
void RefreshCommandSequences(uint8_t* body, int bodyLength);

}  // namespace vorlix
