#include "macro/MacroLibrary.h"

#include <algorithm>
#include <cstring>

#include "macro/MacroEncoding.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroName.h"
#include "macro/MacroProgram.h"
#include "macro/MacroReporter.h"
#include "macro/MacroTypes.h"
#include "shared/Utf16.h"

namespace vorlix {

namespace {

using namespace macrofile;

constexpr uint8_t kSignature0 = 0x46;
constexpr uint8_t kSignature1 = 0x22;
constexpr uint8_t kFormat = 0xA1;
constexpr uint8_t kOldFormat = 0x01;

// Follows "Buffer Full!" when a new macro is refused because the library lists no more.
constexpr std::u16string_view kLibraryFullNote = u" The macro library holds 50 macros, the most it lists.";

void PutWord(uint8_t* at, int value) {
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

void FillFileHeader(uint8_t* header, int delayUnit, const MacroTiming& timing) {
    header[0] = kSignature0;
    header[1] = kSignature1;
    header[2] = kFormat;
    header[5] = static_cast<uint8_t>(delayUnit & 0xFF);
    header[6] = timing.withoutDelay ? 0 : 1;
    PutWord(header + 7, timing.defaultDelay);
}

// The script header as the editor writes it, and the body length of the file header.
void FillScriptHeader(uint8_t* file, int codeLength) {
    file[kHeaderSize] = 5;
    file[kHeaderSize + 2] = 1;
    PutWord(file + kHeaderSize + 3, codeLength);
    PutWord(file + 3, kScriptHeaderSize + codeLength);
}

}  // namespace

CMacroLibrary::CMacroLibrary(IMacroFileSystem& files, IMacroReporter& reporter, std::string folder)
    : m_files(files), m_reporter(reporter), m_folder(std::move(folder)) {}

int CMacroLibrary::CreateFolder() {
    return !m_folder.empty() && m_files.CreateFolder(m_folder) ? 1 : 0;
}

std::vector<std::u16string> CMacroLibrary::ListMacros(int limit) {
    std::vector<std::u16string> names;
    std::vector<std::string> files;
    if (m_folder.empty() || !m_files.ListFolder(m_folder, files)) {
        return names;
    }
    for (const std::string& file : files) {
        if (static_cast<int>(names.size()) >= limit) {
            break;
        }
        const std::u16string fileName = Utf8ToUtf16(file);
        const std::u16string_view name = macroname::MacroOfFile(fileName);
        const bool known = std::any_of(names.begin(), names.end(), [name](const std::u16string& listed) {
            return macroname::Same(listed, name);
        });
        if (!name.empty() && !known) {
            names.emplace_back(name);
        }
    }
    return names;
}

std::string CMacroLibrary::ExistingFile(std::u16string_view name) {
    std::vector<std::string> files;
    if (m_folder.empty() || !m_files.ListFolder(m_folder, files)) {
        return {};
    }
    std::string found;
    for (const std::string& file : files) {
        const std::u16string fileName = Utf8ToUtf16(file);
        const std::u16string_view stem = macroname::MacroOfFile(fileName);
        if (stem.empty() || !macroname::Same(stem, name)) {
            continue;
        }
        // Of several spellings of one name, the exact one wins.
        if (stem == name) {
            return m_folder + "/" + file;
        }
        if (found.empty()) {
            found = m_folder + "/" + file;
        }
    }
    return found;
}

int CMacroLibrary::PathOf(std::u16string_view name, std::string& path) {
    path.clear();
    if (m_folder.empty()) {
        m_reporter.ShowMessage(macromsg::kNoPath, name);
        return 0;
    }
    if (!macroname::IsSafe(name)) {
        m_reporter.ShowMessage(macromsg::kNoPath,
                               std::u16string(name) + std::u16string(macroname::Refusal(name)));
        return 0;
    }
    path = ExistingFile(name);
    if (path.empty()) {
        path = m_folder + "/" + Utf16ToUtf8(name) + ".Mac";
    }
    return 1;
}

bool CMacroLibrary::CheckNewName(std::u16string_view name) {
    if (macroname::IsValidNew(name)) {
        return true;
    }
    m_reporter.ShowMessage(macromsg::kNoPath,
                           std::u16string(name) + std::u16string(macroname::Refusal(name)));
    return false;
}

bool CMacroLibrary::IsFull() {
    return static_cast<int>(ListMacros(kListLimit).size()) >= kListLimit;
}

bool CMacroLibrary::NewMacroPath(std::u16string_view name, std::string& path) {
    if (!CheckNewName(name) || PathOf(name, path) == 0) {
        return false;
    }
    if (!ExistingFile(name).empty()) {
        m_reporter.ShowMessage(macromsg::kMacroExists, name);
        return false;
    }
    if (IsFull()) {
        m_reporter.ShowMessage(macromsg::kBufferFull, kLibraryFullNote);
        return false;
    }
    return true;
}

int CMacroLibrary::ReportStatus(FileStatus status, const std::string& path, std::u16string_view name) {
    switch (status) {
        case FileStatus::Ok:
            return 1;
        case FileStatus::Exists:
            m_reporter.ShowMessage(macromsg::kMacroExists, name);
            return 0;
        case FileStatus::WriteFailed:
        case FileStatus::ReadFailed:
            m_reporter.ShowMessage(macromsg::kWriteFailed, u"");
            return 0;
        case FileStatus::CannotOpen:
        default:
            m_reporter.ShowMessage(macromsg::kNoPath, Utf8ToUtf16(path));
            return 0;
    }
}

int CMacroLibrary::CreateMacro(std::u16string_view name, int delayUnit) {
    std::string path;
    if (!NewMacroPath(name, path)) {
        return 0;
    }
    uint8_t header[kHeaderSize] = {};
    FillFileHeader(header, delayUnit, MacroTiming{});
    return ReportStatus(m_files.CreateNewFile(path, header, kHeaderSize), path, name);
}

int CMacroLibrary::ReadMacroFile(const std::string& path, std::u16string_view name, MacroBody& body,
                                 MacroTiming& timing) {
    std::vector<uint8_t> bytes;
    const FileStatus status =
        path.empty() ? FileStatus::CannotOpen : m_files.ReadFile(path, kMaxFileSize, bytes);
    if (status == FileStatus::CannotOpen) {
        m_reporter.ShowMessage(macromsg::kNoPath, name);
        return -1;
    }
    if (status != FileStatus::Ok) {
        m_reporter.ShowMessage(macromsg::kShortBody, u"");
        return -1;
    }
    int length = 0;
    const int fault = CheckFile(bytes, length);
    if (fault != 0) {
        m_reporter.ShowMessage(fault, u"");
        return -1;
    }
    timing.defaultDelay = bytes[7] | (bytes[8] << 8);
    timing.withoutDelay = bytes[6] == 0;
    timing.insertDefaultDelay = !timing.withoutDelay && timing.defaultDelay != 0;
    if (length == 0) {
        return 0;
    }
    std::memcpy(body.data(), bytes.data() + kHeaderSize, static_cast<size_t>(length));
    return length;
}

int CMacroLibrary::CheckFile(const std::vector<uint8_t>& bytes, int& length) {
    length = 0;
    if (bytes.size() < kHeaderSize || bytes[0] != kSignature0 || bytes[1] != kSignature1 ||
        (bytes[2] != kFormat && bytes[2] != kOldFormat)) {
        return macromsg::kBadFormat;
    }
    length = bytes[3] | (bytes[4] << 8);
    // A body that cannot fit the script image is no macro of ours.
    if (length > kMaxBodySize) {
        return macromsg::kBadFormat;
    }
    if (static_cast<int>(bytes.size()) - kHeaderSize < length) {
        return macromsg::kShortBody;
    }
    return 0;
}

void RefreshCommandSequences(uint8_t* body, int bodyLength) {
    int at = kScriptHeaderSize;
    while (at < bodyLength) {
        const int size = encoding::WalkSize(body + at, bodyLength - at);
        if (size == 0) {
            break;
        }
        if (body[at] == op::kExtended && encoding::IsCommand(body[at + 1])) {
            const int index = body[at + 1] - sub::kFirstCommand;
            std::memcpy(body + at + 2, encoding::CommandSequence(index),
                        static_cast<size_t>(encoding::CommandLength(index)));
        }
        at += size;
    }
}

int CMacroLibrary::ReadForBinding(std::u16string_view name, MacroBody& body) {
    std::string path;
    if (PathOf(name, path) == 0) {
        return -1;
    }
    MacroTiming timing;
    const int length = ReadMacroFile(path, name, body, timing);
    // Reading caps the body at 2048 bytes, so the code is never above 2000 bytes here.
    if (length > 0 && length - kScriptHeaderSize <= kMaxCodeBytes) {
        RefreshCommandSequences(body.data(), length);
    }
    return length;
}

int CMacroLibrary::LoadMacro(std::u16string_view name, CMacroProgram& program, MacroTiming& timing) {
    std::string path;
    return PathOf(name, path) != 0 ? LoadMacroFile(path, name, program, timing) : 0;
}

int CMacroLibrary::LoadMacroFile(const std::string& path, std::u16string_view name, CMacroProgram& program,
                                 MacroTiming& timing) {
    MacroBody body;
    const int length = ReadMacroFile(path, name, body, timing);
    if (length < 0) {
        return 0;
    }
    program.SetCapacity(kMaxCodeBytes);
    program.SetDelayUnit(1);
    program.Parse(body.data() + kScriptHeaderSize, std::max(0, length - kScriptHeaderSize));
    return 1;
}

bool CMacroLibrary::HasMacro(std::u16string_view name) {
    return macroname::IsSafe(name) && !ExistingFile(name).empty();
}

std::u16string CMacroLibrary::SpelledName(std::u16string_view name) {
    const std::string path = macroname::IsSafe(name) ? ExistingFile(name) : std::string();
    if (path.empty()) {
        return std::u16string(name);
    }
    return std::u16string(macroname::MacroOfFile(Utf8ToUtf16(path.substr(m_folder.size() + 1))));
}

int CMacroLibrary::AddMacro(std::u16string_view name, const uint8_t* code, int codeLength) {
    std::string path;
    if (code == nullptr || codeLength < 0 || codeLength > kMaxCodeBytes || !NewMacroPath(name, path)) {
        return 0;
    }
    std::array<uint8_t, kMaxFileSize> file{};
    FillFileHeader(file.data(), 1, MacroTiming{});
    FillScriptHeader(file.data(), codeLength);
    std::memcpy(file.data() + kHeaderSize + kScriptHeaderSize, code, static_cast<size_t>(codeLength));
    const size_t size = static_cast<size_t>(kHeaderSize + kScriptHeaderSize + codeLength);
    return ReportStatus(m_files.CreateNewFile(path, file.data(), size), path, name);
}

int CMacroLibrary::WriteMacroFile(const std::string& path, const CMacroProgram& program,
                                  const MacroTiming& timing) {
    if (path.empty()) {
        m_reporter.ShowMessage(macromsg::kNoPath, u"");
        return 0;
    }
    std::array<uint8_t, kMaxFileSize> file{};
    FillFileHeader(file.data(), program.DelayUnit(), timing);
    int size = kHeaderSize + kScriptHeaderSize;
    uint8_t line[kMaxLineBytes];
    for (int i = 0; i < program.Count(); ++i) {
        const int n = program.SerializeLine(i, line);
        if (size + n > kMaxFileSize) {
            break;
        }
        std::memcpy(file.data() + size, line, static_cast<size_t>(n));
        size += n;
    }
    FillScriptHeader(file.data(), size - kHeaderSize - kScriptHeaderSize);
    return ReportStatus(m_files.ReplaceFile(path, file.data(), static_cast<size_t>(size)), path, u"");
}

int CMacroLibrary::WriteMacro(std::u16string_view name, const CMacroProgram& program,
                              const MacroTiming& timing) {
    std::string path;
    return PathOf(name, path) != 0 ? WriteMacroFile(path, program, timing) : 0;
}

int CMacroLibrary::ExportMacro(const std::string& path, const CMacroProgram& program,
                               const MacroTiming& timing) {
    if (WriteMacroFile(path, program, timing) != 0) {
        return 1;
    }
    m_reporter.ShowMessage(macromsg::kSaveFailed, u"");
    return 0;
}

int CMacroLibrary::ImportMacro(const std::string& sourcePath, std::u16string& name) {
    const size_t slash = sourcePath.rfind('/');
    name = macroname::StripExtension(
        Utf8ToUtf16(slash == std::string::npos ? sourcePath : sourcePath.substr(slash + 1)));
    std::string path;
    if (!NewMacroPath(name, path)) {
        return 0;
    }
    std::vector<uint8_t> bytes;
    const FileStatus read = m_files.ReadFile(sourcePath, kMaxFileSize + 1, bytes);
    if (read != FileStatus::Ok) {
        m_reporter.ShowMessage(macromsg::kNoPath, Utf8ToUtf16(sourcePath));
        return 0;
    }
    // Only what reading the macro back accepts enters the library: anything else could be neither
    // shown nor bound.
    int length = 0;
    const int fault =
        bytes.size() > static_cast<size_t>(kMaxFileSize) ? macromsg::kBadFormat : CheckFile(bytes, length);
    if (fault != 0) {
        m_reporter.ShowMessage(fault, u"");
        return 0;
    }
    return ReportStatus(m_files.CreateNewFile(path, bytes.data(), bytes.size()), path, name);
}

int CMacroLibrary::DeleteMacro(std::u16string_view currentName, const std::u16string* chosenEntry) {
    if (currentName.empty() || chosenEntry == nullptr || *chosenEntry != currentName) {
        m_reporter.ShowMessage(macromsg::kNoSelection, u"");
        return 0;
    }
    std::string path;
    if (PathOf(currentName, path) == 0) {
        return 0;
    }
    if (!m_files.DeleteFile(path)) {
        m_reporter.ShowMessage(macromsg::kNoPath, Utf8ToUtf16(path));
        return 0;
    }
    return 1;
}

}  // namespace vorlix
