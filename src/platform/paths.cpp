#include "platform/paths.h"
#include "platform/cp1252.h"

#include <QCoreApplication>

#include <filesystem>
#include <optional>

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

std::string ExtensionOf(std::string_view systemPath) {
    const size_t slash = systemPath.find_last_of("\\/");
    const size_t dot = systemPath.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(systemPath.substr(dot));
}

namespace {
std::optional<std::string>& FolderOverride() {
    static std::optional<std::string> folder;
    return folder;
}

std::string WithSeparator(std::string path) {
    if (path.empty() || (path.back() != '/' && path.back() != '\\'))
        path.push_back('/');
    return path;
}
} // namespace

std::string ProgramFolder() {
    if (FolderOverride())
        return *FolderOverride();
    if (QCoreApplication::instance() != nullptr)
        return WithSeparator(Utf8ToCp1252(QCoreApplication::applicationDirPath().toStdString()));
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("./") : WithSeparator(Utf8ToCp1252(exe.parent_path().string()));
}

void SetProgramFolder(std::string_view systemPath) {
    if (systemPath.empty())
        FolderOverride().reset();
    else
        FolderOverride() = WithSeparator(std::string(systemPath));
}

} // namespace orvalis
