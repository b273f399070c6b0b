#include "platform/paths.h"
#include "platform/cp1252.h"

#include <filesystem>

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

} // namespace orvalis
