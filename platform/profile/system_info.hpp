#pragma once
// Facts about the running process and machine, and the folder arithmetic of configuration paths.

#include <optional>
#include <string>
#include <string_view>

namespace vt {

// The environment variable's value; "" when it is not set.
std::string environmentValue(const char* name);

// The host name as the system gives it; nullopt when it cannot be read.
std::optional<std::string> hostName();
// The station name of a host: the short name (before the first "."), upper-cased, at most 20
// characters.
std::string stationFromHostName(std::string_view host);
// The name of the effective user (password database, else $USER, else "").
std::string userName();
// The user's home folder ($HOME, else the password database, else "").
std::string homeFolder();

// The folder of the running executable, without a trailing "/" ("." when it cannot be found).
std::string executableFolder();
// The folder of the shared object (or executable) holding the address, e.g. the library's own.
std::string folderOfAddress(const void* address);
// The folder named by the environment variable when set and not empty, else `ownFolder`;
// trailing "/" removed (the root stays "/").
std::string configFolder(const char* environmentVariable, const std::string& ownFolder);

// The folder of the program's TAXCONFIG.INI: $AMBRIX_CONFIG_DIR, else the executable's folder.
std::string programConfigFolder();

// folder + "/" + name, with no doubled "/"; an empty folder gives the name.
std::string joinPath(std::string_view folder, std::string_view name);
// The folder with a "/" at its end, added when missing ("" gives "/"): the form in which every
// folder setting is glued to a file name.
std::string withTrailingSlash(std::string_view folder);
// The path without its trailing "/" characters (the root stays "/").
std::string withoutTrailingSlash(std::string_view path);

}  // namespace vt
