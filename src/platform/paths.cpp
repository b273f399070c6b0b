#include "platform/paths.h"
#include "content/short_string.h"
#include "platform/cp1252.h"

#include <filesystem>
#include <fstream>
#include <utility>

namespace orvalis {

std::string NativePath(std::string_view systemPath) {
    std::string path = Cp1252ToUtf8(systemPath);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

bool FileExists(std::string_view systemPath) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(NativePath(systemPath)), error);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(std::string_view systemPath, std::uintmax_t maxSize) {
    const std::filesystem::path file(NativePath(systemPath));
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > maxSize)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> data(static_cast<size_t>(size));
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return std::nullopt;
    return data;
}

std::string ExtensionOf(std::string_view systemPath) {
    const size_t slash = systemPath.find_last_of("\\/");
    const size_t dot = systemPath.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(systemPath.substr(dot));
}

std::string DoubledName(std::string_view systemPath) {
    const std::string extension = ExtensionOf(systemPath);
    std::string name(systemPath.substr(0, systemPath.size() - extension.size()));
    return name + "@2x" + extension;
}

namespace {
std::string& ReplacedProgramFolder() {
    static std::string folder;
    return folder;
}
} // namespace

std::string ProgramFolder() {
    if (!ReplacedProgramFolder().empty())
        return ReplacedProgramFolder();
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    std::string folder = Utf8ToCp1252(self.parent_path().string());
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string SetProgramFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return std::exchange(ReplacedProgramFolder(), std::move(folder));
}

std::string ProgramPath(std::string_view relativeName) {
    std::string path = ProgramFolder();
    path += relativeName;
    CutToShortString(path);
    return path;
}

} // namespace orvalis
